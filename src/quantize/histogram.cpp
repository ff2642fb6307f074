// Counting an image's distinct colours through the hash table into a
// histogram, up to a limit.
#include "histogram.h"

#include <new>

CountResult CountColors(const QuantPixel* pixels, uint64_t pixelCount, uint32_t limit,
                        Histogram& histogram) {
    ColorHashTable table;
    if (!table.Create()) {
        return CountResult::OutOfMemory;
    }
    uint32_t distinct = 0;
    for (uint64_t i = 0; i < pixelCount; ++i) {
        ColorHashNode* node = table.Find(pixels[i]);
        if (node != nullptr) {
            ++node->value;
            continue;
        }
        if (++distinct > limit) {
            return CountResult::TooManyColours;
        }
        if (table.Insert(pixels[i], 1) == nullptr) {
            return CountResult::OutOfMemory;
        }
    }
    histogram.entries.reset(new (std::nothrow) ColorCount[distinct == 0 ? 1 : distinct]);
    if (!histogram.entries) {
        return CountResult::OutOfMemory;
    }
    histogram.size = distinct;
    uint32_t next = 0;
    for (uint32_t bucket = 0; bucket < kColorHashBuckets; ++bucket) {
        for (const ColorHashNode* node = table.Bucket(bucket); node != nullptr; node = node->next) {
            histogram.entries[next++] = ColorCount{node->colour, node->value};
        }
    }
    return CountResult::Counted;
}
