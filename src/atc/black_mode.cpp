// Whether a block's classes are better served by black mode: near-black
// texels, a bright class, and a middle class off the line between them.
#include "atc_internal.h"

namespace {

// The hue and saturation of the bright class, and of classes 2 and 1 (an
// empty class takes the bright class's values).
struct ClassHues {
    HueSaturation bright;
    HueSaturation second;
    HueSaturation first;
};

// The entry tests both rules share: dark texels exist and the bright class
// is bright enough.
bool blackModePossible(const Clusters& clusters) {
    return clusters.count[0] != 0 && isDark(clusters.mean[0]) &&
           valuePercent(clusters.mean[3]) > 55;
}

ClassHues classHues(const Clusters& clusters) {
    ClassHues hues{};
    hues.bright = hueSaturation(clusters.mean[3]);
    hues.second = clusters.count[2] > 0 ? hueSaturation(clusters.mean[2]) : hues.bright;
    hues.first = clusters.count[1] > 0 ? hueSaturation(clusters.mean[1]) : hues.bright;
    return hues;
}

// An empty class 2 takes over class 1's texels and mean.
void moveFirstIntoSecond(uint32_t* indexWord, Clusters* clusters) {
    if (clusters->count[2] != 0) {
        return;
    }
    clusters->mean[2] = clusters->mean[1];
    clusters->count[2] = clusters->count[1];
    clusters->mean[1] = {};
    clusters->count[1] = 0;
    for (int t = 0; t < 16; ++t) {
        if (((*indexWord >> (2 * t)) & 3) == 1) {
            *indexWord ^= 3u << (2 * t);
        }
    }
}

}  // namespace

bool blackModeWanted(const Clusters& clusters) {
    if (!blackModePossible(clusters)) {
        return false;
    }
    ClassHues hues = classHues(clusters);
    const int s3 = hues.bright.saturation;
    const int s2 = hues.second.saturation;
    const int s1 = hues.first.saturation;
    return huesDiffer(hues.bright.hue, hues.second.hue) ||
           huesDiffer(hues.bright.hue, hues.first.hue) ||
           (clusters.count[2] > 0 && (s2 > 2 * s3 || s2 > 70)) ||
           (clusters.count[1] > 0 && (s1 > 2 * s3 || s1 > 70));
}

bool blackModeWantedFast(const Clusters& clusters) {
    if (!blackModePossible(clusters)) {
        return false;
    }
    ClassHues hues = classHues(clusters);
    const int s3 = hues.bright.saturation;
    const int s2 = hues.second.saturation;
    const int s1 = hues.first.saturation;
    bool candidate = (s3 > 5 && ((s2 > 5 && huesDiffer(hues.bright.hue, hues.second.hue)) ||
                                 (s1 > 5 && huesDiffer(hues.bright.hue, hues.first.hue)))) ||
                     (clusters.count[2] > 0 && ((s2 > 15 && s2 > 2 * s3) || s2 > 70)) ||
                     (clusters.count[1] > 0 && ((s1 > 15 && s1 > 2 * s3) || s1 > 70));
    if (!candidate) {
        return false;
    }
    const TexelColour& m0 = clusters.mean[0];
    const TexelColour& m1 = clusters.mean[1];
    const TexelColour& m2 = clusters.mean[2];
    const TexelColour& m3 = clusters.mean[3];
    ColourPalette line = interpolatedPalette(m0, m3);
    int interpolatedError = squaredDistance(m1, line.entry[1]) + squaredDistance(m2, line.entry[2]);
    ColourPalette black = blackModePalette(clusters.count[2] > 0 ? m2 : m1, m3);
    int blackError = squaredDistance(m0, black.entry[0]) + squaredDistance(m1, black.entry[1]);
    return blackError < interpolatedError;
}

int chooseBlackMode(uint32_t* indexWord, Clusters* clusters) {
    if (!blackModeWanted(*clusters)) {
        return 0;
    }
    moveFirstIntoSecond(indexWord, clusters);
    return 1;
}

int chooseBlackModeFast(uint32_t* indexWord, Clusters* clusters) {
    if (!blackModeWantedFast(*clusters)) {
        return 0;
    }
    moveFirstIntoSecond(indexWord, clusters);
    return 1;
}
