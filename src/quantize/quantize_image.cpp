// QuantizeImage: the histogram (the channels halved until it fits), the
// median-cut palette, its order, and the index map.
#include <memory>
#include <new>

#include "color_hash_table.h"
#include "histogram.h"
#include "mapping.h"
#include "median_cut.h"
#include "palette_order.h"
#include "quantize.h"

namespace {

constexpr uint32_t kLargestPalette = 256;

// Rescales every channel from 0 to oldMax onto 0 to newMax.
void Rescale(QuantPixel* pixels, uint64_t pixelCount, uint32_t oldMax, uint32_t newMax) {
    for (uint64_t i = 0; i < pixelCount; ++i) {
        for (uint8_t& value : pixels[i].c) {
            value = uint8_t((value * newMax + oldMax / 2) / oldMax);
        }
    }
}

}  // namespace

bool QuantizeImage(uint8_t* pixels, uint8_t* indices, uint8_t* palette, uint32_t colourCount,
                   uint32_t width, uint32_t height) {
    static_assert(sizeof(QuantPixel) == 4);
    if (colourCount == 0 || colourCount > kLargestPalette) {
        return false;
    }
    QuantPixel* image = reinterpret_cast<QuantPixel*>(pixels);
    const uint64_t pixelCount = uint64_t(width) * height;

    uint32_t maxval = 255;
    Histogram histogram;
    for (;;) {
        const CountResult result = CountColors(image, pixelCount, kHistogramLimit, histogram);
        if (result == CountResult::Counted) {
            break;
        }
        if (result == CountResult::OutOfMemory) {
            return false;
        }
        Rescale(image, pixelCount, maxval, maxval / 2);
        maxval /= 2;
    }
    if (histogram.size == 0) {
        return true;
    }

    const uint32_t count = histogram.size < colourCount ? histogram.size : colourCount;
    std::unique_ptr<QuantPixel[]> colours(new (std::nothrow) QuantPixel[count]);
    if (!colours || !MedianCutPalette(histogram, pixelCount, maxval, count, colours.get())) {
        return false;
    }
    histogram = Histogram{};

    uint8_t order[kLargestPalette];
    OrderTranslucentFirst(colours.get(), count, maxval, order);
    WritePalette(colours.get(), order, count, maxval, palette);
    MapPixels(image, pixelCount, colours.get(), order, count, indices);
    return true;
}
