// Each pixel's nearest palette colour, looked up once per distinct colour
// where memory allows.
#include "mapping.h"

uint32_t NearestColour(const QuantPixel& pixel, const QuantPixel* colours, uint32_t count) {
    uint32_t best = 0;
    uint32_t bestDistance = 2000000000;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t distance = 0;
        for (uint32_t c = 0; c < 4; ++c) {
            const int d = int(pixel.c[c]) - int(colours[i].c[c]);
            distance += uint32_t(d * d);
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void MapPixels(const QuantPixel* pixels, uint64_t pixelCount, const QuantPixel* colours,
               const uint8_t* order, uint32_t count, uint8_t* indices) {
    ColorHashTable cache;
    bool caching = cache.Create();
    for (uint64_t i = 0; i < pixelCount; ++i) {
        const ColorHashNode* hit = caching ? cache.Find(pixels[i]) : nullptr;
        uint32_t nearest;
        if (hit != nullptr) {
            nearest = uint32_t(hit->value);
        } else {
            nearest = NearestColour(pixels[i], colours, count);
            if (caching && cache.Insert(pixels[i], nearest) == nullptr) {
                caching = false;
            }
        }
        indices[i] = order[nearest];
    }
}
