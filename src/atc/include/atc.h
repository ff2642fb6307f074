// The ATC codec: whole-image encoders and decoder, and the per-block
// routines that the block compression library calls for FORMAT_ATC.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

// Both colours 5:6:5; the mode follows from which colour is brighter.
constexpr uint32_t FORMAT_ATC_ORDER_MODE = 0xCCC40001;

// Returned only by ATI_TC_EncodeFast, after a complete encode whose quality
// grade is too poor.
constexpr int32_t RESULT_LOW_QUALITY = 6;

// Returned by both encoders, right after the format check, for a source
// layout they cannot read: an alpha mask whose width is not 0, 1, 4 or 8
// bits, a colour mask wider than 8 bits, and (quick encoder only) pixels
// other than 2, 3 or 4 bytes wide. Nothing is written.
constexpr int32_t RESULT_UNSUPPORTED_LAYOUT = 8;

// Travels beside ATC block data, never inside it.
struct ATI_TC_Header {
    uint32_t format;
    uint32_t width;
    uint32_t height;
    uint32_t flags;
    uint32_t headerSize;
};

// Sizes, for the encoders and the decoder: an image with a width or height
// of 0 or less has no blocks and needs 0 bytes; nothing is read or written
// for it. Sizes and offsets are computed in 64 bits; a size beyond 32 bits
// cannot be reported and gives RESULT_BUFFER_TOO_SMALL, also for a size
// query (null output), which then leaves the size untouched.
// The quick encoder passes its quality test for an image with no blocks; its
// grades are summed in 64 bits.
int32_t ATI_TC_Encode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                      uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                      uint32_t flags, uint32_t format, ATI_TC_Header* header, uint8_t* output,
                      uint32_t* size);

int32_t ATI_TC_EncodeFast(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                          uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                          uint32_t flags, uint32_t format, ATI_TC_Header* header, uint8_t* output,
                          uint32_t* size);

int32_t ATI_TC_Decode(const ATI_TC_Header* header, const uint8_t* data, uint32_t order,
                      uint8_t* output, uint32_t* size);

// Per-block routines of FORMAT_ATC for the block compression library.
// Encodes a colour block with the full search; returns the index word.
uint32_t AtcEncodeColourBlock(const ColourBlock& texels, uint16_t* colour0, uint16_t* colour1);
// Decodes a colour block; the mode bit of colour0 selects black mode.
void AtcDecodeColourBlock(uint32_t indexWord, uint16_t colour0, uint16_t colour1,
                          ColourBlock* texels);
// The explicit 4-bit alpha block: each byte keeps its upper four bits.
void AtcPackExplicitAlpha(const AlphaBlock& alpha, uint8_t block[8]);
// Each nibble widened by 17.
void AtcUnpackExplicitAlpha(const uint8_t block[8], AlphaBlock* alpha);
