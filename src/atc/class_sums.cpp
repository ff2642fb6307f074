// Class sums of an index word and means from them, the colour codes
// and palette of two sources, and a palette's squared error over the block
// from the class sums.
#include "atc_search.h"
#include "colour_tables.h"

using colour_tables::kField5;
using colour_tables::kField6;

ClassSums SumClasses(const TexelPlanes& planes, uint32_t indexWord) {
    uint32_t firstTwo[4] = {};
    uint32_t lastAndOne[4] = {};
    for (int t = 0; t < 16; ++t) {
        const int index = (indexWord >> (2 * t)) & 3;
        firstTwo[index] += planes.firstTwo[t];
        lastAndOne[index] += planes.lastAndOne[t];
    }
    ClassSums sums;
    for (int index = 0; index < 4; ++index) {
        sums.count[index] = static_cast<int>(lastAndOne[index] >> 12);
        sums.sum[index][0] = static_cast<int>(firstTwo[index] & 0xFFF);
        sums.sum[index][1] = static_cast<int>(firstTwo[index] >> 12);
        sums.sum[index][2] = static_cast<int>(lastAndOne[index] & 0xFFF);
    }
    return sums;
}

Clusters MeansOf(const ClassSums& sums) {
    Clusters clusters{};
    for (int index = 0; index < 4; ++index) {
        const int count = sums.count[index];
        clusters.count[index] = count;
        if (count == 0) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            clusters.mean[index].ch[k] =
                static_cast<uint8_t>(colour_tables::DivideSum(sums.sum[index][k], count));
        }
    }
    return clusters;
}

void MoveFirstSumsIntoSecond(ClassSums* sums) {
    if (sums->count[2] != 0) {
        return;
    }
    sums->count[2] = sums->count[1];
    sums->count[1] = 0;
    for (int k = 0; k < 3; ++k) {
        sums->sum[2][k] = sums->sum[1][k];
        sums->sum[1][k] = 0;
    }
}

ColourCodes CodesFromTables(const ColourSources& sources, int mode, uint32_t format) {
    const uint8_t* s0 = sources.source0.ch;
    const uint8_t* s1 = sources.source1.ch;
    const int colour1 = kField5.code[s1[0]] << 11 | kField6.code[s1[1]] << 5 | kField5.code[s1[2]];
    if (format == FORMAT_ATC_ORDER_MODE) {
        const int colour0 =
            kField5.code[s0[0]] << 11 | kField6.code[s0[1]] << 5 | kField5.code[s0[2]];
        return {static_cast<uint16_t>(colour0), static_cast<uint16_t>(colour1)};
    }
    const int colour0 = (mode != 0 ? 0x8000 : 0) | kField5.code[s0[0]] << 10 |
                        kField5.code[s0[1]] << 5 | kField5.code[s0[2]];
    return {static_cast<uint16_t>(colour0), static_cast<uint16_t>(colour1)};
}

ColourPalette SourcePalette(const ColourSources& sources, int mode, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        // Which palette the codes make depends on their decoded brightness.
        const ColourCodes codes = CodesFromTables(sources, mode, format);
        return BuildColourPalette(codes.colour0, codes.colour1, format);
    }
    const uint8_t* s0 = sources.source0.ch;
    const uint8_t* s1 = sources.source1.ch;
    const TexelColour c0{
        {kField5.reconstruct[s0[0]], kField5.reconstruct[s0[1]], kField5.reconstruct[s0[2]]}};
    const TexelColour c1{
        {kField5.reconstruct[s1[0]], kField6.reconstruct[s1[1]], kField5.reconstruct[s1[2]]}};
    return mode != 0 ? BlackModePalette(c0, c1) : InterpolatedPalette(c0, c1);
}

int32_t PaletteError(int32_t squares, const ClassSums& sums, const ColourPalette& palette) {
    int32_t error = squares;
    for (int index = 0; index < 4; ++index) {
        const int count = sums.count[index];
        for (int k = 0; k < 3; ++k) {
            const int p = palette.entry[index].ch[k];
            error += p * (count * p - 2 * sums.sum[index][k]);
        }
    }
    return error;
}
