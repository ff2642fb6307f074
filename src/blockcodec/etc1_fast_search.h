// The fast ETC1 table search: for a sub-block and a base colour, the same
// codeword, modifier columns and error as SearchSubblockTable, found with
// far fewer candidate evaluations and runtime-dispatched vector code
// (etc1_search_kernel.cpp).
#pragma once

#include <cstdint>

// A sub-block's pixels as channel planes in sub-block order, with each
// pixel's integer luma 299 r + 587 g + 114 b.
struct alignas(64) Etc1SubblockPlanes {
    int32_t channel[3][8];
    int32_t luma[8];
};

inline int32_t Etc1IntegerLuma(const uint8_t pixel[3]) { return 299 * pixel[0] + 587 * pixel[1] + 114 * pixel[2]; }

struct Etc1FastChoice {
    uint32_t codeword = 0;
    int32_t error = 0;
    // Per pixel in sub-block order, the column of Etc1ModifierTable it uses.
    alignas(32) int32_t column[8] = {};
};

void Etc1SearchSubblockFast(const Etc1SubblockPlanes& pixels, const uint8_t base[3], Etc1FastChoice* choice);

// The Highway target (HWY_AVX2, HWY_EMU128, ...) whose code the search runs
// on this CPU now.
int64_t Etc1SearchKernelTarget();
