// The colour codes of a block's two colours.
#include "atc_internal.h"

ColourCodes EncodeColourCodes(const ColourSources& sources, int mode, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        return {Encode565(sources.source0), Encode565(sources.source1)};
    }
    return {Encode1555(sources.source0, mode), Encode565(sources.source1)};
}
