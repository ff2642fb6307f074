// What both image encoders share: reading the source layout, the checks
// before any block is written, gathering one block's texels and storing
// its blocks.
#pragma once

#include <cstdint>

#include "atc_internal.h"
#include "parallel.h"

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
    Any,        // whatever the masks add up to
    TwoToFour,  // 2, 3 or 4 bytes only
};

SourceLayout describeSource(uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask);

// The checks in their order, the size query and the capacity; fills the
// header. RESULT_OK with *walk set means the blocks are to be written.
int32_t startEncode(const EncodeRequest& request, PixelSizes pixelSizes, ATI_TC_Header* header,
                    const uint8_t* output, uint32_t* size, bool* walk);

// The 16 texels (and alpha nibbles) of the block at (bx, by), repeating the
// last column and row past the image's edges. Reads every pixel through the
// masks: the reference for any layout.
void gatherBlock(const EncodeRequest& request, int64_t bx, int64_t by, ColourBlock* texels,
                 uint8_t nibbles[16]);

// Pixels of 4 bytes that hold channel 0, 1, 2 and alpha in byte order (the
// masks 0xFF, 0xFF00, 0xFF0000 and 0xFF000000): the engine's working image.
bool isRgba8888(const SourceLayout& layout);

// gatherBlock for a source of which isRgba8888 holds: the same texels and
// nibbles, copied without looking at the masks.
void gatherRgba8888Block(const EncodeRequest& request, int64_t bx, int64_t by, ColourBlock* texels,
                         uint8_t nibbles[16]);

void storeColourBlock(uint16_t colour0, uint16_t colour1, uint32_t indexWord, uint8_t block[8]);

// How the block rows are split into bands, each encoded on a thread of its
// own; there are at most parallel::kMaxBands bands.
struct BandPlan {
    uint64_t blocksAcross;
    uint64_t blockRows;
    uint64_t bandRows;  // block rows a band, the last band may have fewer
};

BandPlan planBands(const EncodeRequest& request);

// Writes every block in row-major block order, the bands on the thread
// pool. Each band works with its own copy of encoder: encoder(texels,
// &colour0, &colour1) gives a block's index word, and encoder.finish(band)
// is called once the band's blocks are written, band being its place in
// plan (0 up).
template <typename Encoder>
void walkBlocks(const EncodeRequest& request, const BandPlan& plan, uint8_t* output,
                const Encoder& encoder) {
    const bool alpha = (request.flags & FLAG_ALPHA) != 0;
    const uint64_t blockBytes = alpha ? 16 : 8;
    const auto gather = isRgba8888(request.layout) ? gatherRgba8888Block : gatherBlock;
    parallel::ForEachBandReporting(
        plan.blockRows, plan.bandRows, plan.blocksAcross, [&](uint64_t firstRow, uint64_t endRow) {
            Encoder bandEncoder = encoder;
            uint8_t* out = output + firstRow * plan.blocksAcross * blockBytes;
            ColourBlock texels;
            uint8_t nibbles[16];
            for (uint64_t row = firstRow; row < endRow; ++row) {
                for (uint64_t column = 0; column < plan.blocksAcross; ++column) {
                    gather(request, static_cast<int64_t>(4 * column), static_cast<int64_t>(4 * row),
                           &texels, nibbles);
                    if (alpha) {
                        packAlphaNibbles(nibbles, out);
                        out += 8;
                    }
                    uint16_t colour0 = 0;
                    uint16_t colour1 = 0;
                    const uint32_t indexWord = bandEncoder(texels, &colour0, &colour1);
                    storeColourBlock(colour0, colour1, indexWord, out);
                    out += 8;
                }
            }
            bandEncoder.finish(firstRow / plan.bandRows);
        });
}
