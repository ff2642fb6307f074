// What both ATC image encoders share: the source they are given, the checks
// before any block is written, in their order, and the block walk that
// writes each block's explicit alpha and colour block.
#pragma once

#include <cstdint>

#include "atc_internal.h"
#include "block_walk.h"

struct EncodeRequest {
    SourceImage image;  // pixels, extent and pitch as given
    uint32_t flags;
    uint32_t format;
};

enum class PixelSizes {
    Any,        // whatever the masks add up to
    TwoToFour,  // 2, 3 or 4 bytes only
};

EncodeRequest DescribeRequest(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                              uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                              uint32_t flags, uint32_t format);

// The checks in their order, the size query and the capacity; fills the
// header. RESULT_OK with *walk set means the blocks are to be written.
int32_t StartEncode(const EncodeRequest& request, PixelSizes pixelSizes, ATI_TC_Header* header,
                    const uint8_t* output, uint32_t* size, bool* walk);

// The bands of the image's block rows.
BandPlan PlanImageBands(const EncodeRequest& request);

// Word 0, colour 0 in its low half and colour 1 in its high half, then the
// index word, both little-endian.
void StoreColourBlock(uint16_t colour0, uint16_t colour1, uint32_t indexWord, uint8_t block[8]);

// One band's writer of whole ATC blocks: with alpha the explicit alpha block
// from the gathered alpha bytes, then the colour block that encoder gives.
template <typename Encoder>
struct AtcBlockWriter {
    Encoder encoder;
    bool alpha;

    void operator()(const ColourBlock& texels, const AlphaBlock& alphaBlock, uint8_t* out) {
        if (alpha) {
            AtcPackExplicitAlpha(alphaBlock, out);
            out += 8;
        }
        uint16_t colour0 = 0;
        uint16_t colour1 = 0;
        const uint32_t indexWord = encoder(texels, &colour0, &colour1);
        StoreColourBlock(colour0, colour1, indexWord, out);
    }
    // The end of the band.
    void operator()(uint64_t band) { encoder.Finish(band); }
};

// Writes every block through the block walk, the bands on the thread pool.
// Each band works with its own copy of encoder: encoder(texels, &colour0,
// &colour1) gives a block's index word, and encoder.Finish(band) is called
// once the band's blocks are written, band being its place in plan (0 up).
template <typename Encoder>
void EncodeBlocks(const EncodeRequest& request, const BandPlan& plan, uint8_t* output,
                  const Encoder& encoder) {
    const bool alpha = (request.flags & FLAG_ALPHA) != 0;
    WalkBlocks(request.image, plan, alpha ? 16 : 8, alpha, output,
               AtcBlockWriter<Encoder>{encoder, alpha});
}
