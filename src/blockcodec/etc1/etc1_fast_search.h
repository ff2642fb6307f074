// The pieces of the fast ETC1 encoder (etc1_encode.cpp) that tests reach:
// the table search, which for a sub-block and a base colour finds the same
// codeword, modifier columns and error as SearchSubblockTable with far
// fewer candidate evaluations (etc1_search-inl.h), and the chroma-fit base
// chooser (etc1_chroma_fit-inl.h).
#pragma once

#include <cstdint>

#include "etc1_encoder.h"

// A sub-block's 8 pixels in Etc1Subblock order, the order in which their
// errors are summed: lane i of the red, green and blue planes holds the i-th
// pixel, and luma[i] its coarse luma Etc1CoarseLuma (read in pairs, so
// aligned to 4 bytes).
struct Etc1SubblockLanes {
    const int32_t* plane[3];
    const int16_t* luma;
};

// 38 r + 75 g + 14 b: at most 32385.
inline int16_t Etc1CoarseLuma(const uint8_t pixel[3]) {
    return static_cast<int16_t>(38 * pixel[0] + 75 * pixel[1] + 14 * pixel[2]);
}

// Written whole by the search.
struct Etc1FastChoice {
    uint32_t codeword;
    float sum;      // the codeword's float error
    int32_t error;  // the same truncated, as SearchSubblockTable gives it
    // Per pixel in sub-block order, the column of Etc1ModifierTable it uses.
    alignas(32) int32_t column[8];
};

// The search alone, for tests: the library's encoder runs it inline.
void Etc1SearchSubblockFast(const Etc1SubblockLanes& pixels, const uint8_t base[3],
                            Etc1FastChoice* choice);

// The encoder's ChooseChromaFitBases, for tests: from the two sub-blocks'
// channel sums, whose averages are the sums times 0.125.
Etc1Bases Etc1ChromaFitBasesFast(const int first[3], const int second[3]);

// The Highway target (HWY_AVX2, HWY_SCALAR, ...) whose code the fast encoder
// runs on this CPU now.
int64_t Etc1FastEncoderTarget();
