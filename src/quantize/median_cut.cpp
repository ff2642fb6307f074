// Median cut: the box of most pixels that holds two colours or more split at
// the median of its widest channel, until there are as many boxes as colours
// wanted; each box gives its mean colour.
#include "median_cut.h"

#include <algorithm>
#include <memory>
#include <new>

namespace {

// A run of consecutive histogram entries.
struct ColorBox {
    uint32_t first;
    uint32_t colours;
    uint64_t pixels;
};

constexpr uint32_t kAlpha = 3;

// The channel with the widest range of values in the box; alpha wins ties,
// then channel 0, then channel 1.
uint32_t WidestChannel(const ColorCount* entries, const ColorBox& box) {
    uint8_t low[4] = {255, 255, 255, 255};
    uint8_t high[4] = {0, 0, 0, 0};
    for (uint32_t i = box.first; i < box.first + box.colours; ++i) {
        for (uint32_t c = 0; c < 4; ++c) {
            low[c] = std::min(low[c], entries[i].colour.c[c]);
            high[c] = std::max(high[c], entries[i].colour.c[c]);
        }
    }
    int range[4];
    for (uint32_t c = 0; c < 4; ++c) {
        range[c] = high[c] - low[c];
    }
    if (range[3] >= range[0] && range[3] >= range[1] && range[3] >= range[2]) {
        return kAlpha;
    }
    if (range[0] >= range[1] && range[0] >= range[2]) {
        return 0;
    }
    return range[1] >= range[2] ? 1 : 2;
}

// Splits box at the median of its pixels along its widest channel; the
// upper part is returned as a new box.
ColorBox SplitBox(ColorCount* entries, ColorBox& box) {
    const uint32_t channel = WidestChannel(entries, box);
    // Colours of equal value keep their histogram order, so the palette does
    // not depend on the sort implementation.
    std::stable_sort(entries + box.first, entries + box.first + box.colours,
                     [channel](const ColorCount& a, const ColorCount& b) {
                         return a.colour.c[channel] < b.colour.c[channel];
                     });
    const uint64_t half = box.pixels / 2;
    uint32_t lowerColours = 1;
    uint64_t lowerPixels = entries[box.first].count;
    while (lowerColours < box.colours - 1 && lowerPixels < half) {
        lowerPixels += entries[box.first + lowerColours].count;
        ++lowerColours;
    }
    const ColorBox upper{box.first + lowerColours, box.colours - lowerColours,
                         box.pixels - lowerPixels};
    box.colours = lowerColours;
    box.pixels = lowerPixels;
    return upper;
}

// The pixel-weighted mean colour of a box, capped at maxval.
QuantPixel MeanColour(const ColorCount* entries, const ColorBox& box, uint32_t maxval) {
    uint64_t sum[4] = {0, 0, 0, 0};
    uint64_t weight = 0;
    for (uint32_t i = box.first; i < box.first + box.colours; ++i) {
        for (uint32_t c = 0; c < 4; ++c) {
            sum[c] += uint64_t(entries[i].colour.c[c]) * entries[i].count;
        }
        weight += entries[i].count;
    }
    QuantPixel mean{};
    for (uint32_t c = 0; c < 4; ++c) {
        mean.c[c] = uint8_t(std::min<uint64_t>(sum[c] / weight, maxval));
    }
    return mean;
}

}  // namespace

bool MedianCutPalette(Histogram& histogram, uint64_t totalPixels, uint32_t maxval, uint32_t wanted,
                      QuantPixel* colours) {
    std::unique_ptr<ColorBox[]> boxes(new (std::nothrow) ColorBox[wanted]);
    if (!boxes) {
        return false;
    }
    ColorCount* entries = histogram.entries.get();
    boxes[0] = ColorBox{0, histogram.size, totalPixels};
    uint32_t boxCount = 1;
    while (boxCount < wanted) {
        ColorBox* box = std::find_if(boxes.get(), boxes.get() + boxCount,
                                     [](const ColorBox& b) { return b.colours >= 2; });
        if (box == boxes.get() + boxCount) {
            break;
        }
        boxes[boxCount++] = SplitBox(entries, *box);
        // Boxes of equal pixel count keep their order, for the same reason.
        std::stable_sort(boxes.get(), boxes.get() + boxCount,
                         [](const ColorBox& a, const ColorBox& b) { return a.pixels > b.pixels; });
    }
    for (uint32_t i = 0; i < boxCount; ++i) {
        colours[i] = MeanColour(entries, boxes[i], maxval);
    }
    return true;
}
