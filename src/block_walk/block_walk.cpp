// Channel masks, the two gathers of one block and the band plan of the
// block walk.
#include "block_walk.h"

#include <algorithm>
#include <bit>

#include "byte_order.h"

namespace {

// Blocks in a band of block rows at the least: a band's work dwarfs the cost
// of handing it to a thread even for the quickest encoder.
constexpr uint64_t kBandBlocks = 128;

// The channel's value with its run at bit 0.
uint32_t ChannelValue(uint32_t pixel, const ChannelMask& mask) {
    return (pixel & mask.mask) >> mask.shift;
}

// Widens a run of 1..8 bits by replicating its bits downward; of a wider run
// only the top 8 bits are kept.
uint8_t WidenValue(uint32_t value, uint32_t width) {
    if (width > 8) {
        return static_cast<uint8_t>(value >> (width - 8));
    }
    const uint32_t top = (value << (8 - width)) & 0xFF;
    return static_cast<uint8_t>(top | (top >> width));
}

}  // namespace

ChannelMask AnalyseMask(uint32_t mask) {
    return ChannelMask{mask, static_cast<uint32_t>(std::popcount(mask)),
                       static_cast<uint32_t>(std::countr_zero(mask))};
}

uint8_t WidenColourChannel(uint32_t pixel, const ChannelMask& mask) {
    if (mask.width == 0) {
        return 0;
    }
    return WidenValue(ChannelValue(pixel, mask), mask.width);
}

uint8_t WidenAlphaChannel(uint32_t pixel, const ChannelMask& mask) {
    if (mask.width == 0) {
        return 255;
    }
    const uint32_t value = ChannelValue(pixel, mask);
    if (mask.width == 1) {
        return value == 1 ? 255 : 0;
    }
    return WidenValue(value, mask.width);
}

SourceImage DescribeSource(uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask) {
    SourceImage image;
    image.colour[0] = AnalyseMask(mask0);
    image.colour[1] = AnalyseMask(mask1);
    image.colour[2] = AnalyseMask(mask2);
    image.alpha = AnalyseMask(alphaMask);
    image.pixelBytes = (image.colour[0].width + image.colour[1].width + image.colour[2].width +
                        image.alpha.width + 7) /
                       8;
    return image;
}

void GatherBlock(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                 AlphaBlock* alpha) {
    // Masks see the pixel's first 4 bytes as a little-endian number.
    const uint32_t valueBytes = std::min<uint32_t>(image.pixelBytes, 4);
    for (int64_t y = 0; y < 4; ++y) {
        const int64_t row = std::min(by + y, image.height - 1);
        const uint8_t* rowStart = image.pixels + row * image.pitch;
        for (int64_t x = 0; x < 4; ++x) {
            const int64_t column = std::min(bx + x, image.width - 1);
            const uint32_t pixel =
                LoadLittleEndian(rowStart + column * image.pixelBytes, valueBytes);
            const int64_t index = 4 * y + x;
            for (int k = 0; k < 3; ++k) {
                colour->texel[index][k] = WidenColourChannel(pixel, image.colour[k]);
            }
            if (alpha != nullptr) {
                alpha->alpha[index] = WidenAlphaChannel(pixel, image.alpha);
            }
        }
    }
}

bool IsRgba8888(const SourceImage& image) {
    return image.pixelBytes == 4 && image.colour[0].mask == 0x000000FF &&
           image.colour[1].mask == 0x0000FF00 && image.colour[2].mask == 0x00FF0000 &&
           image.alpha.mask == 0xFF000000;
}

void GatherRgba8888Block(const SourceImage& image, int64_t bx, int64_t by, ColourBlock* colour,
                         AlphaBlock* alpha) {
    int64_t offsets[4];
    for (int64_t x = 0; x < 4; ++x) {
        offsets[x] = std::min(bx + x, image.width - 1) * 4;
    }
    // A row's four pixels as words (byte 0 lowest) become three words of
    // channel bytes and one word of alpha bytes.
    uint8_t* texels = &colour->texel[0][0];
    for (int64_t y = 0; y < 4; ++y) {
        const uint8_t* row = image.pixels + std::min(by + y, image.height - 1) * image.pitch;
        const uint32_t p0 = LoadLittleEndian32(row + offsets[0]);
        const uint32_t p1 = LoadLittleEndian32(row + offsets[1]);
        const uint32_t p2 = LoadLittleEndian32(row + offsets[2]);
        const uint32_t p3 = LoadLittleEndian32(row + offsets[3]);
        uint8_t* out = texels + 12 * y;
        StoreLittleEndian32(out, (p0 & 0xFFFFFF) | p1 << 24);
        StoreLittleEndian32(out + 4, (p1 >> 8 & 0xFFFF) | p2 << 16);
        StoreLittleEndian32(out + 8, (p2 >> 16 & 0xFF) | p3 << 8);
        if (alpha != nullptr) {
            StoreLittleEndian32(alpha->alpha + 4 * y,
                                p0 >> 24 | (p1 >> 24) << 8 | (p2 >> 24) << 16 | (p3 >> 24) << 24);
        }
    }
}

BandPlan PlanBands(uint64_t blocksAcross, uint64_t blockRows) {
    return {blocksAcross, blockRows, parallel::BandSize(blockRows, blocksAcross, kBandBlocks)};
}
