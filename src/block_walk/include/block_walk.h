// The walk over a source image in 4x4 blocks that every block encoder
// shares: the channel masks and how they widen a pixel's bits to bytes, the
// gather of one block with the last column and row repeated past the edges
// (through the masks for any layout, or copied from the engine's RGBA8888
// pixels), and the bands of block rows that run on the thread pool.
#pragma once

#include <cstdint>

#include "parallel.h"
#include "quenda_codes.h"

struct ChannelMask {
    uint32_t mask = 0;
    uint32_t width = 0;  // set bits
    uint32_t shift = 0;  // trailing zero bits; 32 for an empty mask
};

ChannelMask AnalyseMask(uint32_t mask);

// The colour channel byte that mask selects from pixel value P: runs of up
// to 8 bits widen by bit replication (4 bits: v x 17), a wider run keeps its
// top 8 bits, an empty mask gives 0.
uint8_t WidenColourChannel(uint32_t pixel, const ChannelMask& mask);

// The alpha byte: 255 for an empty mask, 0 or 255 for a 1-bit mask, else as
// a colour channel.
uint8_t WidenAlphaChannel(uint32_t pixel, const ChannelMask& mask);

struct SourceImage {
    const uint8_t* pixels = nullptr;
    int64_t width = 0;
    int64_t height = 0;
    int64_t pitch = 0;
    uint32_t pixelBytes = 0;  // the widths of the four masks, rounded up to bytes
    ChannelMask colour[3];
    ChannelMask alpha;
};

// The masks of a source and its pixel size; the caller sets pixels, extent
// and pitch once its checks have passed.
SourceImage DescribeSource(uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask);

// Fills the block whose top-left pixel is (bx, by), inside the image;
// pixels beyond the right or bottom edge repeat the last column or row.
// alpha may be null. Reads every pixel through the masks: the reference for
// any layout.
void GatherBlock(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                 AlphaBlock* alpha);

// Pixels of 4 bytes that hold channel 0, 1, 2 and alpha in byte order (the
// masks 0xFF, 0xFF00, 0xFF0000 and 0xFF000000): the engine's working image.
bool IsRgba8888(const SourceImage& image);

// GatherBlock for an image of which IsRgba8888 holds: the same bytes, copied
// without looking at the masks.
void GatherRgba8888Block(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                         AlphaBlock* alpha);

// How the block rows are split into bands, each encoded on a thread of its
// own; there are at most parallel::kMaxBands bands.
struct BandPlan {
    uint64_t blocksAcross;
    uint64_t blockRows;
    uint64_t bandRows;  // block rows a band, the last band may have fewer
};

BandPlan PlanBands(uint64_t blocksAcross, uint64_t blockRows);

// Writes every block in row-major block order, blockBytes each, the bands on
// the thread pool; the alpha of each block is gathered only when withAlpha
// is set. Each band works with its own copy of writer:
// writer(colour, alpha, out) writes a block at out, and writer(band) is
// called once the band's blocks are written, band being its place in the
// plan (0 up).
template <typename Writer>
void WalkBlocks(const SourceImage& image, const BandPlan& plan, uint64_t blockBytes, bool withAlpha,
                uint8_t* output, const Writer& writer) {
    const auto gather = IsRgba8888(image) ? GatherRgba8888Block : GatherBlock;
    parallel::ForEachBandReporting(
        plan.blockRows, plan.bandRows, plan.blocksAcross, [&](uint64_t firstRow, uint64_t endRow) {
            Writer bandWriter = writer;
            ColourBlock colour;
            AlphaBlock alpha{};
            uint8_t* out = output + firstRow * plan.blocksAcross * blockBytes;
            for (uint64_t row = firstRow; row < endRow; ++row) {
                for (uint64_t column = 0; column < plan.blocksAcross; ++column) {
                    gather(image, static_cast<int64_t>(4 * column), static_cast<int64_t>(4 * row),
                           &colour, withAlpha ? &alpha : nullptr);
                    bandWriter(colour, alpha, out);
                    out += blockBytes;
                }
            }
            bandWriter(firstRow / plan.bandRows);
        });
}
