// The quick colour-block encoder in its plainest form: thresholds at the
// quarter points between the darkest and the brightest texel, one
// refinement, and an error grade, texel by texel. The tuned version in
// colour_block_encoder_quick.cpp must give the same block and grade for every
// input.
#include <algorithm>

#include "atc_internal.h"

uint32_t QuarterPointIndices(const int luma[16]) {
    int lo = 255;
    int hi = 0;
    for (int t = 0; t < 16; ++t) {
        lo = std::min(lo, luma[t]);
        hi = std::max(hi, luma[t]);
    }
    const float quarter = static_cast<float>(hi - lo) / 4.0f;
    const float t1 = static_cast<float>(lo) + quarter;
    const float t2 = t1 + quarter;
    const float t3 = static_cast<float>(hi) - quarter;
    uint32_t indexWord = 0;
    for (int t = 0; t < 16; ++t) {
        const float y = static_cast<float>(luma[t]);
        uint32_t index = y >= t3 ? 3 : y > t2 ? 2 : y > t1 ? 1 : 0;
        indexWord |= index << (2 * t);
    }
    return indexWord;
}

uint32_t EncodeColourBlockQuickReference(const ColourBlock& texels, uint32_t format,
                                         uint16_t* colour0, uint16_t* colour1, int32_t* grade) {
    int luma[16];
    for (int t = 0; t < 16; ++t) {
        luma[t] = Luminance(TexelAt(texels, t));
    }
    uint32_t indexWord = QuarterPointIndices(luma);
    Clusters clusters = ClusterMeans(texels, indexWord);
    int mode = 0;
    if (clusters.count[3] != 16) {
        mode = ChooseBlackModeQuick(&indexWord, &clusters);
        if (RefineIndices(texels, &indexWord, ChooseColourSources(clusters, mode, format), mode,
                          format, RefineRule::Quick)) {
            clusters = ClusterMeans(texels, indexWord);
            mode = ChooseBlackModeQuick(&indexWord, &clusters);
        }
    }
    ColourCodes codes =
        EncodeColourCodes(ChooseColourSources(clusters, mode, format), mode, format);
    *colour0 = codes.colour0;
    *colour1 = codes.colour1;
    *grade = BlockError(texels, indexWord, codes.colour0, codes.colour1, format) >> 4;
    return indexWord;
}
