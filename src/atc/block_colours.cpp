// The colour codes of a block's two colours.
#include "atc_internal.h"

ColourCodes encodeColourCodes(const ColourSources& sources, int mode, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        return {encode565(sources.source0), encode565(sources.source1)};
    }
    return {encode1555(sources.source0, mode), encode565(sources.source1)};
}
