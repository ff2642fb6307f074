// How the data of each container format is laid out: block size, bytes per
// block, and the KTX fields that describe the format beside its
// glInternalFormat.
#pragma once

#include <cstdint>

constexpr uint32_t kGLRGB = 0x1907;
constexpr uint32_t kGLRGBA = 0x1908;
constexpr uint32_t kGLUnsignedByte = 0x1401;

struct ContainerLayout {
    uint32_t format;
    uint32_t blockWidth;
    uint32_t blockHeight;
    uint32_t bytesPerBlock;
    uint32_t glBaseInternalFormat;  // kGLRGBA exactly for the formats with alpha
    uint32_t glType;                // 0 for compressed data
    uint32_t glFormat;              // 0 for compressed data
};

// The layout of one of the container formats, or null for any other code.
const ContainerLayout* FindContainerLayout(uint32_t format);

// Width or height of mip level `level` of an image whose level 0 has `size`.
uint32_t LevelDimension(uint32_t size, uint32_t level);

// Bytes that one level of the given format and size holds, in 64 bits and
// saturated at UINT64_MAX, so that no header value can wrap it round. False
// for a format outside the table.
bool LevelByteCount(uint32_t format, uint32_t width, uint32_t height, uint64_t* byteCount);
