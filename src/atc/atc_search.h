// Building blocks of the quick colour-block searches. A candidate of the
// full search splits the texels, taken in ascending luminance, into four
// contiguous runs; counts and channel sums of each run come from running
// totals, and a palette's squared error over the block comes from the class
// sums: for one class and channel with texel values v, count n, sum s and
// palette value p, the sum of (v - p)^2 is (sum of v^2) + p x (n x p - 2 s).
// Everything is integer arithmetic, so these give exactly the values that
// the texel-by-texel evaluation gives.
#pragma once

#include <cstdint>

#include "atc_internal.h"

// Texel count and per-channel sum of each index class.
struct ClassSums {
    int count[4];
    int sum[4][3];
};

// The block's texels in ascending luminance (equal luminances in any order:
// no threshold ever separates them), with running totals over that order.
struct SortedTexels {
    int32_t sum[3][17];      // channel sums over the first p texels
    uint32_t ones[17];       // sum of 1 << 2t over the first p texels (t: place in the block)
    uint8_t runStart[16];    // first position of the equal-luminance run holding position p
    uint8_t runEnd[16];      // one past that run's last position
    int32_t squares;         // sum of every channel value squared, over the block
};

// A four-way split of the luminance order: positions [0, p1) form class 0,
// [p1, p2) class 1, [p2, p3) class 2, [p3, 16) class 3.
struct Split {
    uint8_t p1;
    uint8_t p2;
    uint8_t p3;
};

// The full search's distinct splits in its candidate order.
struct SplitList {
    Split split[120];
    int size;
};

// sorted_texels.cpp
void sortTexels(const ColourBlock& texels, SortedTexels* sorted);
void listSplits(const SortedTexels& sorted, SplitList* list);
ClassSums splitSums(const SortedTexels& sorted, const Split& split);
uint32_t splitIndexWord(const SortedTexels& sorted, const Split& split);

// class_sums.cpp
ClassSums classSums(const ColourBlock& texels, uint32_t indexWord);
int32_t blockSquares(const ColourBlock& texels);
Clusters meansOf(const ClassSums& sums);
// Black mode's takeover of an empty class 2 by class 1, on the sums (nothing
// happens when class 2 has texels).
void moveFirstSumsIntoSecond(ClassSums* sums);
// The codes and the palette that encodeColourCodes and buildColourPalette
// give for these sources, through the constant tables.
ColourCodes quickCodes(const ColourSources& sources, int mode, uint32_t format);
ColourPalette sourcePalette(const ColourSources& sources, int mode, uint32_t format);
int32_t paletteError(int32_t squares, const ClassSums& sums, const ColourPalette& palette);

// nearest_indices.cpp: refineIndices with the palette already built; true
// when the index word was replaced.
bool refineWithPalette(const ColourBlock& texels, uint32_t* indexWord,
                       const ColourPalette& palette, int mode, RefineRule rule);
