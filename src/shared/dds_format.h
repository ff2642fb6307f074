// The DDS magic, header size, field offsets and flag values that the DDS
// reader and writer use. Offsets count from the start of the header, which
// follows the 4-byte magic.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kDDSMagic = 0x20534444;  // "DDS "
constexpr size_t kDDSMagicSize = 4;
constexpr size_t kDDSHeaderSize = 124;
constexpr uint32_t kDDSPixelFormatSize = 32;

enum DDSHeaderOffset : size_t {
    DDS_SIZE = 0,
    DDS_FLAGS = 4,
    DDS_HEIGHT = 8,
    DDS_WIDTH = 12,
    DDS_PITCH_OR_LINEAR_SIZE = 16,
    DDS_MIPMAP_COUNT = 24,
    DDS_PF_SIZE = 72,
    DDS_PF_FLAGS = 76,
    DDS_PF_FOURCC = 80,
    DDS_PF_RGB_BIT_COUNT = 84,
    DDS_PF_R_BIT_MASK = 88,
    DDS_PF_G_BIT_MASK = 92,
    DDS_PF_B_BIT_MASK = 96,
    DDS_PF_A_BIT_MASK = 100,
    DDS_CAPS = 104,
};

// DDSD_CAPS, DDSD_HEIGHT, DDSD_WIDTH, DDSD_PIXELFORMAT, DDSD_MIPMAPCOUNT with
// DDSD_PITCH for uncompressed data or DDSD_LINEARSIZE for blocks.
constexpr uint32_t kDDSFlagsUncompressed = 0x2100F;
constexpr uint32_t kDDSFlagsCompressed = 0xA1007;
constexpr uint32_t kDDPFAlphaPixels = 0x1;
constexpr uint32_t kDDPFFourCC = 0x4;
constexpr uint32_t kDDPFRGB = 0x40;
// DDSCAPS_COMPLEX, DDSCAPS_TEXTURE, DDSCAPS_MIPMAP.
constexpr uint32_t kDDSCaps = 0x401008;
