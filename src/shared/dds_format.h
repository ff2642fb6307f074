// The DDS magic, header size, field offsets and flag values that the DDS
// reader, writer and describer use. Offsets count from the start of the
// header, which follows the 4-byte magic.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kDDSMagic = 0x20534444;  // "DDS "
constexpr size_t kDDSMagicSize = 4;
constexpr size_t kDDSHeaderSize = 124;
constexpr uint32_t kDDSPixelFormatSize = 32;

enum DDSHeaderOffset : size_t {
    DDSSize = 0,
    DDSFlags = 4,
    DDSHeight = 8,
    DDSWidth = 12,
    DDSPitchOrLinearSize = 16,
    DDSDepth = 20,
    DDSMipMapCount = 24,
    DDSPfSize = 72,
    DDSPfFlags = 76,
    DDSPfFourCC = 80,
    DDSPfRGBBitCount = 84,
    DDSPfRBitMask = 88,
    DDSPfGBitMask = 92,
    DDSPfBBitMask = 96,
    DDSPfABitMask = 100,
    DDSCaps = 104,
    DDSCaps2 = 108,
};

// DDSD_CAPS, DDSD_HEIGHT, DDSD_WIDTH, DDSD_PIXELFORMAT, DDSD_MIPMAPCOUNT with
// DDSD_PITCH for uncompressed data or DDSD_LINEARSIZE for blocks.
constexpr uint32_t kDDSFlagsUncompressed = 0x2100F;
constexpr uint32_t kDDSFlagsCompressed = 0xA1007;
constexpr uint32_t kDDPFAlphaPixels = 0x1;
constexpr uint32_t kDDPFFourCC = 0x4;
constexpr uint32_t kDDPFRGB = 0x40;
// DDSCAPS_COMPLEX, DDSCAPS_TEXTURE, DDSCAPS_MIPMAP.
constexpr uint32_t kDDSCapsMipmappedTexture = 0x401008;
