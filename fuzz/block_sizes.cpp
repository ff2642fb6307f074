#include "block_sizes.h"

#include <algorithm>

#include "atc.h"

namespace fuzz {
namespace {

uint64_t BlockSide(uint64_t side) { return std::max<uint64_t>((side + 3) / 4 * 4, 4); }

uint32_t LevelCount(uint32_t width, uint32_t height) {
    uint32_t count = 0;
    for (uint32_t side = std::max(width, height); side != 0; side >>= 1) {
        ++count;
    }
    return count;
}

uint64_t LevelSide(uint32_t side, int64_t level) {
    return level >= 32 ? 1 : std::max<uint64_t>(side >> level, 1);
}

}  // namespace

uint64_t LevelDataSize(uint32_t format, uint32_t flags, uint64_t width, uint64_t height) {
    uint32_t shift = 0;
    switch (format) {
        case FORMAT_3DC_X:
        case FORMAT_ETC1_RGB8:
            shift = 1;
            break;
        case FORMAT_3DC_XY:
            shift = 0;
            break;
        case FORMAT_ATC:
            shift = (flags & FLAG_ALPHA) ? 0 : 1;
            break;
        default:
            return 0;
    }
    return BlockSide(width) * BlockSide(height) >> shift;
}

uint64_t ChainReadSize(uint32_t format, uint32_t flags, uint32_t width, uint32_t height,
                       int32_t level) {
    const int64_t first = std::max(level, 0);
    const int64_t before = std::min<int64_t>(first, LevelCount(width, height));
    uint64_t total = 0;
    for (int64_t i = 0; i < before; ++i) {
        total += LevelDataSize(format, flags, LevelSide(width, i), LevelSide(height, i));
    }
    return total + LevelDataSize(format, flags, LevelSide(width, first), LevelSide(height, first));
}

uint64_t AtcDataSize(uint32_t flags, uint64_t width, uint64_t height) {
    return ((width + 3) / 4) * ((height + 3) / 4) * ((flags & FLAG_ALPHA) ? 16 : 8);
}

uint32_t PickFormat(FuzzInput& in) {
    static constexpr uint32_t kFormats[] = {FORMAT_ATC, FORMAT_ETC1_RGB8, FORMAT_3DC_X,
                                            FORMAT_3DC_XY, FORMAT_ATC_ORDER_MODE};
    const uint8_t byte = in.Byte();
    return byte < 250 ? kFormats[byte % 5] : in.Word();
}

uint32_t PickFlags(FuzzInput& in) {
    static constexpr uint32_t kFlags[] = {FLAG_NO_ALPHA,
                                          FLAG_ALPHA,
                                          FLAG_ALPHA | FLAG_ALPHA_SINGLE_CHANNEL,
                                          0,
                                          FLAG_NO_ALPHA | FLAG_ALPHA,
                                          FLAG_ALPHA_SINGLE_CHANNEL,
                                          FLAG_NO_ALPHA | FLAG_ALPHA_SINGLE_CHANNEL,
                                          FLAG_NO_ALPHA | FLAG_ALPHA | FLAG_ALPHA_SINGLE_CHANNEL};
    const uint8_t byte = in.Byte();
    return byte < 240 ? kFlags[byte % 8] : in.Word();
}

uint32_t PickSide(FuzzInput& in) {
    const uint8_t byte = in.Byte();
    return byte < 240 ? byte % 65 : in.Word();
}

}  // namespace fuzz
