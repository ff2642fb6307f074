// The KTX 1.1 header: identifier, byte-order mark and field offsets.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t kKTXIdentifier[12] = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31,
                                        0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kKTXLittleEndian = 0x04030201;
constexpr size_t kKTXHeaderSize = 64;

enum KTXHeaderOffset : size_t {
    KTXEndianness = 12,
    KTXGLType = 16,
    KTXGLTypeSize = 20,
    KTXGLFormat = 24,
    KTXGLInternalFormat = 28,
    KTXGLBaseInternalFormat = 32,
    KTXPixelWidth = 36,
    KTXPixelHeight = 40,
    KTXPixelDepth = 44,
    KTXNumberOfArrayElements = 48,
    KTXNumberOfFaces = 52,
    KTXNumberOfMipmapLevels = 56,
    KTXBytesOfKeyValueData = 60,
};
