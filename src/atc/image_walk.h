// What both image encoders share: reading the source layout, the checks
// before any block is written, gathering one block's texels and storing
// its blocks.
#pragma once

#include <cstdint>

#include "atc_internal.h"

// Width and position of one channel's bits within a pixel value.
struct ChannelBits {
    uint32_t mask;
    uint32_t width;
    uint32_t shift;
};

struct SourceLayout {
    ChannelBits channel[3];
    ChannelBits alpha;
    uint32_t bytesPerPixel;
};

struct EncodeRequest {
    const uint8_t* source;
    SourceLayout layout;
    int32_t width;
    int32_t height;
    int32_t pitch;
    uint32_t flags;
    uint32_t format;
};

enum class PixelSizes {
    Any,       // whatever the masks add up to
    TwoToFour, // 2, 3 or 4 bytes only
};

SourceLayout describeSource(uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask);

// The checks in their order, the size query and the capacity; fills the
// header. RESULT_OK with *walk set means the blocks are to be written.
int32_t startEncode(const EncodeRequest& request, PixelSizes pixelSizes, ATI_TC_Header* header,
                    const uint8_t* output, uint32_t* size, bool* walk);

// The 16 texels (and alpha nibbles) of the block at (bx, by), repeating the
// last column and row past the image's edges.
void gatherBlock(const EncodeRequest& request, int64_t bx, int64_t by, ColourBlock* texels,
                 uint8_t nibbles[16]);

void storeColourBlock(uint16_t colour0, uint16_t colour1, uint32_t indexWord, uint8_t block[8]);

// Writes every block in row-major block order; encodeColour(texels,
// &colour0, &colour1) gives a block's index word.
template <typename EncodeColour>
void walkBlocks(const EncodeRequest& request, uint8_t* output, EncodeColour&& encodeColour) {
    const bool alpha = (request.flags & FLAG_ALPHA) != 0;
    ColourBlock texels;
    uint8_t nibbles[16];
    for (int64_t by = 0; by < request.height; by += 4) {
        for (int64_t bx = 0; bx < request.width; bx += 4) {
            gatherBlock(request, bx, by, &texels, nibbles);
            if (alpha) {
                packAlphaNibbles(nibbles, output);
                output += 8;
            }
            uint16_t colour0 = 0;
            uint16_t colour1 = 0;
            uint32_t indexWord = encodeColour(texels, &colour0, &colour1);
            storeColourBlock(colour0, colour1, indexWord, output);
            output += 8;
        }
    }
}
