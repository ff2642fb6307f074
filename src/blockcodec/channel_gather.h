// Gathering the 16 pixels of one 4x4 block from a source image, with edge
// repetition, and widening their channels to bytes through bit masks.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

struct ChannelMask {
    uint32_t mask = 0;
    uint32_t width = 0;  // set bits
    uint32_t shift = 0;  // trailing zero bits; 32 for an empty mask
};

ChannelMask AnalyseMask(uint32_t mask);

// The colour channel byte that mask selects from pixel value P.
uint8_t WidenColourChannel(uint32_t pixel, const ChannelMask& mask);

// The alpha byte: 255 for an empty mask, 0 or 255 for a 1-bit mask, else as
// a colour channel.
uint8_t WidenAlphaChannel(uint32_t pixel, const ChannelMask& mask);

struct SourceImage {
    const uint8_t* pixels = nullptr;
    int64_t width = 0;   // > 0
    int64_t height = 0;  // > 0
    int64_t pitch = 0;
    uint32_t pixelBytes = 0;
    ChannelMask colour[3];
    ChannelMask alpha;
};

// Bytes per source pixel: the widths of the four masks, rounded up to bytes.
uint32_t SourcePixelBytes(const ChannelMask& mask0, const ChannelMask& mask1,
                          const ChannelMask& mask2, const ChannelMask& alphaMask);

// Fills the block whose top-left pixel is (bx, by); pixels beyond the right
// or bottom edge repeat the last column or row. alpha may be null. Reads
// every pixel through the masks: the reference for any layout.
void GatherBlock(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                 AlphaBlock* alpha);

// Pixels of 4 bytes that hold channel 0, 1, 2 and alpha in byte order (the
// masks 0xFF, 0xFF00, 0xFF0000 and 0xFF000000): the engine's working image.
bool IsRgba8888(const SourceImage& image);

// GatherBlock for an image of which IsRgba8888 holds: the same bytes, copied
// without looking at the masks.
void GatherRgba8888Block(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                         AlphaBlock* alpha);
