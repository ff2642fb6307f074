// Building blocks of the fast colour-block searches, which give the blocks
// of the texel-by-texel references with less work. A candidate of the full
// search splits the texels, taken in ascending luminance, into four
// contiguous runs; counts and channel sums of each run come from running
// totals, and a palette's squared error over the block comes from the class
// sums: for one class and channel with texel values v, count n, sum s and
// palette value p, the sum of (v - p)^2 is (sum of v^2) + p x (n x p - 2 s).
// Everything is integer arithmetic, so these give exactly the values that
// the texel-by-texel evaluation gives.
#pragma once

#include <cstddef>
#include <cstdint>

#include "atc_internal.h"

// A block's texels as one array per channel, for vector lanes, and packed
// for class sums: channel 0 in bits 0..11 and channel 1 in bits 12..23 of
// one number, channel 2 in bits 0..11 and 1 in bits 12..16 of another, so
// that adding up to 16 of them sums every channel and counts the texels
// without a carry from one field into the next (16 x 255 < 2^12).
struct TexelPlanes {
    alignas(64) int32_t ch[3][16];
    alignas(64) uint32_t firstTwo[16];
    alignas(64) uint32_t lastAndOne[16];
};

// Texel count and per-channel sum of each index class.
struct ClassSums {
    int count[4];
    int sum[4][3];
};

// The block's texels in ascending luminance (equal luminances in any order:
// no threshold ever separates them), with running totals over that order.
struct SortedTexels {
    // Channel sums over the first p texels (p = 0..16; rows padded for
    // aligned vector loads).
    alignas(64) int32_t sum[3][32];
    uint32_t ones[17];  // sum of 1 << 2t over the first p texels (t: place in the block)
    // By sorted position p: the run of equal luminances that holds p starts
    // at runStart[p] and ends before runEnd[p].
    alignas(64) int32_t runStart[16];
    alignas(64) int32_t runEnd[16];
    int32_t squares;  // sum of every channel value squared, over the block
};

// A four-way split of the luminance order: positions [0, p1) form class 0,
// [p1, p2) class 1, [p2, p3) class 2, [p3, 16) class 3.
struct Split {
    int p1;
    int p2;
    int p3;
};

// sorted_texels.cpp
void SortTexels(const TexelPlanes& planes, SortedTexels* sorted);
// The split of candidate n of the full search (candidate_order.h).
Split CandidateSplit(const SortedTexels& sorted, int n);
ClassSums SplitSums(const SortedTexels& sorted, const Split& split);
uint32_t SplitIndexWord(const SortedTexels& sorted, const Split& split);

// split_errors.cpp: the squared error of every candidate of the full search
// (kPaddedCandidates entries), in vector lanes; in order mode -1 for the
// candidates whose classes could take black mode or whose codes would make
// the black-mode palette, which SplitError must evaluate. Also the first
// candidate of least error among those evaluated (-1 if none was) and how
// many were not.
struct LaneSearch {
    int first;
    int pending;
};
LaneSearch SplitErrors(const SortedTexels& sorted, uint32_t format, int32_t errors[]);
// HueSaturationOf and HuesDiffer as the lanes of SplitErrors compute them, for
// tests: colours holds count channel 0 values, then count of channel 1,
// then count of channel 2; count must be a multiple of 16. differ receives
// -1 where the hues differ, else 0.
void LaneHueSaturation(const int32_t* colours, size_t count, int32_t* hue, int32_t* saturation);
void LaneHuesDiffer(const int32_t* a, const int32_t* b, size_t count, int32_t* differ);
// The error of one split exactly as the texel-by-texel search evaluates it.
int32_t SplitError(const SortedTexels& sorted, const Split& split, uint32_t format);

// class_sums.cpp
ClassSums SumClasses(const TexelPlanes& planes, uint32_t indexWord);
Clusters MeansOf(const ClassSums& sums);
// Black mode's takeover of an empty class 2 by class 1, on the sums (nothing
// happens when class 2 has texels).
void MoveFirstSumsIntoSecond(ClassSums* sums);
// The codes and the palette that EncodeColourCodes and BuildColourPalette
// give for these sources, through the constant tables.
ColourCodes CodesFromTables(const ColourSources& sources, int mode, uint32_t format);
ColourPalette SourcePalette(const ColourSources& sources, int mode, uint32_t format);
int32_t PaletteError(int32_t squares, const ClassSums& sums, const ColourPalette& palette);

// texel_kernels.cpp: a block's planes; the index word of each texel's
// nearest palette entry (the lower entry on equal distances) with the sizes
// of its classes; the quick encoder's quarter-point index word; each
// texel's luminance x 16 + its place in the block, in ascending order, with
// the runs of equal luminance (SortedTexels). The last two also give the sum
// of every channel value squared, over the block.
void MakeTexelPlanes(const ColourBlock& texels, TexelPlanes* planes);
uint32_t NearestIndices(const TexelPlanes& planes, const ColourPalette& palette, int count[4]);
uint32_t QuarterPointWord(const TexelPlanes& planes, int32_t* squares);
void LuminanceOrder(const TexelPlanes& planes, uint32_t keys[16], int32_t runStart[16],
                    int32_t runEnd[16], int32_t* squares);

// refine.cpp: RefineIndices with the palette already built; true
// when the index word was replaced.
bool RefineWithPalette(const TexelPlanes& planes, uint32_t* indexWord, const ColourPalette& palette,
                       int mode, RefineRule rule);
