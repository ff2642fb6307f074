// Level extents, level and chain sizes in 64-bit arithmetic that
// saturates instead of wrapping.
#include "size_rules.h"

#include <algorithm>
#include <bit>

#include "format_facts.h"

namespace {

uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
    if (b != 0 && a > UINT64_MAX / b) {
        return UINT64_MAX;
    }
    return a * b;
}

uint64_t SaturatingAdd(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

// Blocks across an extent: (extent + 3) / 4, at least 1.
uint64_t BlocksAcross(uint64_t extent) {
    return std::max<uint64_t>(1, extent / 4 + (extent % 4 + 3) / 4);
}

}  // namespace

uint64_t LevelExtent(uint64_t extent, int64_t level) {
    const uint64_t shifted = level >= 64 ? 0 : extent >> level;
    return std::max<uint64_t>(1, shifted);
}

uint64_t LevelDataSize(uint32_t format, uint32_t flags, uint64_t w, uint64_t h) {
    const uint64_t blocks = SaturatingMultiply(BlocksAcross(w), BlocksAcross(h));
    return SaturatingMultiply(blocks, StoredBlockBytes(format, flags));
}

uint32_t LevelCount(uint64_t w, uint64_t h) {
    return static_cast<uint32_t>(std::bit_width(std::max(w, h)));
}

uint64_t ChainDataSize(uint64_t w, uint64_t h, int64_t n, uint32_t flags, uint32_t format) {
    const int64_t levels = std::min<int64_t>(n, LevelCount(w, h));
    uint64_t total = 0;
    for (int64_t i = 0; i < levels; ++i) {
        total = SaturatingAdd(total,
                              LevelDataSize(format, flags, LevelExtent(w, i), LevelExtent(h, i)));
    }
    return total;
}
