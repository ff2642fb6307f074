// The fast ETC1 encoder's per-block data: the two plane layouts of a
// block's pixels with their constant tables, and one encoder's result for
// one orientation.
#pragma once

#include <cstdint>

#include "etc1_encoder.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"

namespace etc1_fast {

// The block's pixels in two layouts, each pixel's plane index being its
// lane + 8 x its sub-block. Column-major planes hold the left and right
// sub-blocks (flip 0) in sub-block order; row-pair planes hold the top and
// bottom sub-blocks (flip 1) in sub-block order, each a pair of rows taken
// column by column. Planes are red, green and blue, with the coarse lumas
// beside them.
struct BlockPlanes {
    alignas(64) int32_t plane[2][3][16];  // [flip][channel][plane index]
    alignas(32) int16_t luma[2][16];
};

struct Layout {
    // Per flip and plane index, the pixel in raster order.
    alignas(16) uint8_t pixelOfPlane[2][16];
    // Per flip and plane index, the pixel's bit in word 2: 4x + y.
    alignas(32) uint32_t codeBit[2][16];
    // Per flip, the plane index of each pixel in raster order.
    uint8_t planeOfPixel[2][16];
    // Base colour fields widened to 8 bits: [differential][field].
    uint8_t widen[2][32];
};

constexpr Layout MakeLayout() {
    Layout layout{};
    for (int p = 0; p < 16; ++p) {
        const int x = p % 4;
        const int y = p / 4;
        const int columnMajor = 4 * x + y;
        const int rowPair = 8 * (y / 2) + 2 * x + y % 2;
        layout.planeOfPixel[0][p] = static_cast<uint8_t>(columnMajor);
        layout.planeOfPixel[1][p] = static_cast<uint8_t>(rowPair);
        layout.pixelOfPlane[0][columnMajor] = static_cast<uint8_t>(p);
        layout.pixelOfPlane[1][rowPair] = static_cast<uint8_t>(p);
        layout.codeBit[0][columnMajor] = static_cast<uint32_t>(4 * x + y);
        layout.codeBit[1][rowPair] = static_cast<uint32_t>(4 * x + y);
    }
    for (uint32_t q = 0; q < 32; ++q) {
        layout.widen[0][q] = q < 16 ? Etc1Widen4(q) : 0;
        layout.widen[1][q] = Etc1Widen5(q);
    }
    return layout;
}

inline constexpr Layout kLayout = MakeLayout();

// The plane layouts put each sub-block's pixels in Etc1Subblock order.
constexpr bool PlanesFollowSubblocks() {
    for (int flip = 0; flip < 2; ++flip) {
        for (int s = 0; s < 2; ++s) {
            for (int i = 0; i < 8; ++i) {
                if (kLayout.planeOfPixel[flip][Etc1Subblocks[flip][s].pixel[i]] != 8 * s + i) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(PlanesFollowSubblocks());

// The encoders, in the order of the final choice's tie rule.
enum Encoder { kAverage = 0, kChromaFit = 1 };

// One encoder's result for one orientation.
struct Orientation {
    Etc1Bases bases;
    uint8_t base[2][3];
    Etc1FastChoice* choice[2];
    int32_t error;
};

}  // namespace etc1_fast
