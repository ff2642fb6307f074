// The KTX 1.1 header: identifier, byte-order mark and field offsets.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint8_t kKTXIdentifier[12] = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31,
                                        0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kKTXEndianness = 0x04030201;
constexpr size_t kKTXHeaderSize = 64;

enum KTXHeaderOffset : size_t {
    KTX_ENDIANNESS = 12,
    KTX_GL_TYPE = 16,
    KTX_GL_TYPE_SIZE = 20,
    KTX_GL_FORMAT = 24,
    KTX_GL_INTERNAL_FORMAT = 28,
    KTX_GL_BASE_INTERNAL_FORMAT = 32,
    KTX_PIXEL_WIDTH = 36,
    KTX_PIXEL_HEIGHT = 40,
    KTX_PIXEL_DEPTH = 44,
    KTX_NUMBER_OF_ARRAY_ELEMENTS = 48,
    KTX_NUMBER_OF_FACES = 52,
    KTX_NUMBER_OF_MIPMAP_LEVELS = 56,
    KTX_BYTES_OF_KEY_VALUE_DATA = 60,
};
