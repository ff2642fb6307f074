// The refinement pass of both searches with the palette already built.
#include "atc_search.h"

bool refineWithPalette(const ColourBlock& texels, uint32_t* indexWord,
                       const ColourPalette& palette, int mode, RefineRule rule) {
    uint32_t refined = 0;
    int count[4] = {};
    for (int t = 0; t < 16; ++t) {
        const TexelColour texel = texelAt(texels, t);
        uint32_t nearest = 0;
        int nearestDistance = squaredDistance(texel, palette.entry[0]);
        for (uint32_t index = 1; index < 4; ++index) {
            const int distance = squaredDistance(texel, palette.entry[index]);
            if (distance < nearestDistance) {
                nearest = index;
                nearestDistance = distance;
            }
        }
        refined |= nearest << (2 * t);
        ++count[nearest];
    }
    if (refined == *indexWord || !refinementAcceptable(count, mode, rule)) {
        return false;
    }
    *indexWord = refined;
    return true;
}
