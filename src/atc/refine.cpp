// One pass that moves every texel to its nearest colour of the palette that
// the chosen colours make: texel by texel, and with the palette already
// built and the nearest entries in vector lanes.
#include "atc_internal.h"
#include "atc_search.h"

bool RefinementAcceptable(const int count[4], int mode, RefineRule rule) {
    if ((count[3] > 0 && count[0] > 0) || count[3] == 16) {
        return true;
    }
    return rule == RefineRule::Exhaustive && count[3] > 0 && mode == 1;
}

bool RefineIndices(const ColourBlock& texels, uint32_t* indexWord, const ColourSources& sources,
                   int mode, uint32_t format, RefineRule rule) {
    ColourCodes codes = EncodeColourCodes(sources, mode, format);
    ColourPalette palette = BuildColourPalette(codes.colour0, codes.colour1, format);
    uint32_t refined = 0;
    int count[4] = {};
    for (int t = 0; t < 16; ++t) {
        TexelColour texel = TexelAt(texels, t);
        uint32_t nearest = 0;
        int nearestDistance = SquaredDistance(texel, palette.entry[0]);
        for (uint32_t index = 1; index < 4; ++index) {
            int distance = SquaredDistance(texel, palette.entry[index]);
            if (distance < nearestDistance) {
                nearest = index;
                nearestDistance = distance;
            }
        }
        refined |= nearest << (2 * t);
        ++count[nearest];
    }
    if (refined == *indexWord || !RefinementAcceptable(count, mode, rule)) {
        return false;
    }
    *indexWord = refined;
    return true;
}

bool RefineWithPalette(const TexelPlanes& planes, uint32_t* indexWord, const ColourPalette& palette,
                       int mode, RefineRule rule) {
    int count[4];
    const uint32_t refined = NearestIndices(planes, palette, count);
    if (refined == *indexWord || !RefinementAcceptable(count, mode, rule)) {
        return false;
    }
    *indexWord = refined;
    return true;
}
