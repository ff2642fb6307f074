// Which class means become a block's two colours, and their codes.
#include "atc_internal.h"

ColourSources colourSources(const Clusters& clusters, int mode, uint32_t format) {
    if (mode == 0) {
        return {clusters.mean[0], clusters.mean[3]};
    }
    if (format == FORMAT_ATC_ORDER_MODE) {
        // The brighter colour first signals black mode.
        return {clusters.mean[3], clusters.mean[2]};
    }
    return {clusters.mean[2], clusters.mean[3]};
}

ColourCodes encodeColourCodes(const ColourSources& sources, int mode, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        return {encode565(sources.source0), encode565(sources.source1)};
    }
    return {encode1555(sources.source0, mode), encode565(sources.source1)};
}
