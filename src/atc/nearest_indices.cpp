// The refinement pass of both searches with the palette already built.
#include "atc_search.h"

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
