// Luminance classes of a block: index assignment, class means and the
// squared error of a block against its palette.
#include "atc_internal.h"

uint32_t AssignIndices(const int luma[16], int lo, int mid, int hi) {
    uint32_t indexWord = 0;
    for (int t = 0; t < 16; ++t) {
        uint32_t index = luma[t] >= hi ? 3 : luma[t] > mid ? 2 : luma[t] > lo ? 1 : 0;
        indexWord |= index << (2 * t);
    }
    return indexWord;
}

Clusters ClusterMeans(const ColourBlock& texels, uint32_t indexWord) {
    int sum[4][3] = {};
    Clusters clusters{};
    for (int t = 0; t < 16; ++t) {
        int index = (indexWord >> (2 * t)) & 3;
        ++clusters.count[index];
        for (int k = 0; k < 3; ++k) {
            sum[index][k] += texels.texel[t][k];
        }
    }
    for (int index = 0; index < 4; ++index) {
        if (clusters.count[index] == 0) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            clusters.mean[index].ch[k] =
                static_cast<uint8_t>(sum[index][k] / clusters.count[index]);
        }
    }
    return clusters;
}

int32_t BlockError(const ColourBlock& texels, uint32_t indexWord, uint16_t colour0,
                   uint16_t colour1, uint32_t format) {
    ColourPalette palette = BuildColourPalette(colour0, colour1, format);
    int32_t error = 0;
    for (int t = 0; t < 16; ++t) {
        error += SquaredDistance(TexelAt(texels, t), palette.entry[(indexWord >> (2 * t)) & 3]);
    }
    return error;
}
