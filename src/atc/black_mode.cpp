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
bool BlackModePossible(const Clusters& clusters) {
    return clusters.count[0] != 0 && IsDark(clusters.mean[0]) &&
           ValuePercent(clusters.mean[3]) > 55;
}

ClassHues HuesOfClasses(const Clusters& clusters) {
    ClassHues hues{};
    hues.bright = HueSaturationOf(clusters.mean[3]);
    hues.second = clusters.count[2] > 0 ? HueSaturationOf(clusters.mean[2]) : hues.bright;
    hues.first = clusters.count[1] > 0 ? HueSaturationOf(clusters.mean[1]) : hues.bright;
    return hues;
}

// An empty class 2 takes over class 1's texels and mean.
void MoveFirstIntoSecond(uint32_t* indexWord, Clusters* clusters) {
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

bool BlackModeWanted(const Clusters& clusters) {
    if (!BlackModePossible(clusters)) {
        return false;
    }
    ClassHues hues = HuesOfClasses(clusters);
    const int s3 = hues.bright.saturation;
    const int s2 = hues.second.saturation;
    const int s1 = hues.first.saturation;
    return HuesDiffer(hues.bright.hue, hues.second.hue) ||
           HuesDiffer(hues.bright.hue, hues.first.hue) ||
           (clusters.count[2] > 0 && (s2 > 2 * s3 || s2 > 70)) ||
           (clusters.count[1] > 0 && (s1 > 2 * s3 || s1 > 70));
}

bool BlackModeWantedQuick(const Clusters& clusters) {
    if (!BlackModePossible(clusters)) {
        return false;
    }
    ClassHues hues = HuesOfClasses(clusters);
    const int s3 = hues.bright.saturation;
    const int s2 = hues.second.saturation;
    const int s1 = hues.first.saturation;
    bool candidate = (s3 > 5 && ((s2 > 5 && HuesDiffer(hues.bright.hue, hues.second.hue)) ||
                                 (s1 > 5 && HuesDiffer(hues.bright.hue, hues.first.hue)))) ||
                     (clusters.count[2] > 0 && ((s2 > 15 && s2 > 2 * s3) || s2 > 70)) ||
                     (clusters.count[1] > 0 && ((s1 > 15 && s1 > 2 * s3) || s1 > 70));
    if (!candidate) {
        return false;
    }
    const TexelColour& m0 = clusters.mean[0];
    const TexelColour& m1 = clusters.mean[1];
    const TexelColour& m2 = clusters.mean[2];
    const TexelColour& m3 = clusters.mean[3];
    ColourPalette line = InterpolatedPalette(m0, m3);
    int interpolatedError = SquaredDistance(m1, line.entry[1]) + SquaredDistance(m2, line.entry[2]);
    ColourPalette black = BlackModePalette(clusters.count[2] > 0 ? m2 : m1, m3);
    int blackError = SquaredDistance(m0, black.entry[0]) + SquaredDistance(m1, black.entry[1]);
    return blackError < interpolatedError;
}

int ChooseBlackMode(uint32_t* indexWord, Clusters* clusters) {
    if (!BlackModeWanted(*clusters)) {
        return 0;
    }
    MoveFirstIntoSecond(indexWord, clusters);
    return 1;
}

int ChooseBlackModeQuick(uint32_t* indexWord, Clusters* clusters) {
    if (!BlackModeWantedQuick(*clusters)) {
        return 0;
    }
    MoveFirstIntoSecond(indexWord, clusters);
    return 1;
}
