// Level extents and chain sizes, and the decode buffer size query.
#include <gtest/gtest.h>

#include "quenda.h"
#include "size_rules.h"

namespace {

TEST(LevelCount, IsTheSignificantBitsOfTheLargerSide) {
    EXPECT_EQ(LevelCount(0, 0), 0u);
    EXPECT_EQ(LevelCount(1, 1), 1u);
    EXPECT_EQ(LevelCount(256, 4), 9u);
    EXPECT_EQ(LevelCount(3, 300), 9u);
}

struct LevelCase {
    uint32_t format;
    uint32_t flags;
    uint64_t width;
    uint64_t height;
    uint64_t bytes;
};

TEST(LevelDataSize, CountsWholeBlocksOfEachFormat) {
    const LevelCase cases[] = {
        {FORMAT_ETC1_RGB8, 0, 1, 1, 8},     {FORMAT_ETC1_RGB8, 0, 5, 3, 16},
        {FORMAT_3DC_X, 0, 8, 8, 32},        {FORMAT_3DC_XY, 0, 1, 1, 16},
        {FORMAT_3DC_XY, 0, 9, 4, 48},       {FORMAT_ATC, 0, 4, 4, 8},
        {FORMAT_ATC, FLAG_ALPHA, 4, 4, 16}, {FORMAT_ATC, FLAG_ALPHA_SINGLE_CHANNEL, 4, 4, 8},
        {FORMAT_ATC, 0x12, 5, 3, 32},       {FORMAT_3DC_X, FLAG_ALPHA, 4, 4, 8},
        {0x12345678, 0, 16, 16, 0},
    };
    for (const LevelCase& c : cases) {
        EXPECT_EQ(LevelDataSize(c.format, c.flags, c.width, c.height), c.bytes)
            << std::hex << c.format << std::dec << " " << c.width << "x" << c.height;
    }
}

TEST(ChainDataSize, SumsTheLevelsUpToTheFullChain) {
    // 16x16, 8x8, 4x4, 2x2, 1x1: 128 + 32 + 8 + 8 + 8.
    EXPECT_EQ(ChainDataSize(16, 16, 2, 0, FORMAT_ETC1_RGB8), 160u);
    EXPECT_EQ(ChainDataSize(16, 16, 5, 0, FORMAT_ETC1_RGB8), 184u);
    EXPECT_EQ(ChainDataSize(16, 16, 40, 0, FORMAT_ETC1_RGB8), 184u);
    EXPECT_EQ(ChainDataSize(16, 16, 0, 0, FORMAT_ETC1_RGB8), 0u);
    EXPECT_EQ(ChainDataSize(16, 16, 5, 0, 0x12345678), 0u);
}

TEST(ChainDataSize, SaturatesInsteadOfWrapping) {
    EXPECT_EQ(ChainDataSize(0xFFFFFFFF, 0xFFFFFFFF, 32, 0, FORMAT_3DC_XY), UINT64_MAX);
}

TEST(QueryDecodeBufferSize, AnswersBytesOfLevelZeroPerFormat) {
    struct Case {
        uint32_t format;
        int32_t alpha;
        uint32_t bytes;
    };
    const Case cases[] = {
        {FORMAT_3DC_X, 0, 4 * 5 * 3},     {FORMAT_3DC_XY, 0, 4 * 5 * 3},
        {FORMAT_3DC_X, 1, 4 * 5 * 3},     {FORMAT_ATC, 0, 3 * 5 * 3},
        {FORMAT_ATC, 7, 4 * 5 * 3},       {FORMAT_ETC1_RGB8, 0, 3 * 5 * 3},
        {FORMAT_ETC1_RGB8, 1, 4 * 5 * 3},
    };
    for (const Case& c : cases) {
        uint32_t size = 12345;
        EXPECT_EQ(QuendaQueryDecodeBufferSize(5, 3, c.format, c.alpha, &size), RESULT_OK);
        EXPECT_EQ(size, c.bytes) << std::hex << c.format;
    }
}

TEST(QueryDecodeBufferSize, UnknownFormatStoresZero) {
    uint32_t size = 12345;
    EXPECT_EQ(QuendaQueryDecodeBufferSize(5, 3, 0xCCC40001, 1, &size), RESULT_UNKNOWN_FORMAT);
    EXPECT_EQ(size, 0u);
}

TEST(QueryDecodeBufferSize, RejectsSizesOutsideThirtyTwoBits) {
    uint32_t size = 12345;
    EXPECT_EQ(QuendaQueryDecodeBufferSize(65536, 65536, FORMAT_3DC_X, 0, &size),
              RESULT_BAD_ARGUMENT);
    EXPECT_EQ(size, 0u);
    size = 12345;
    EXPECT_EQ(QuendaQueryDecodeBufferSize(-4, 4, FORMAT_ETC1_RGB8, 0, &size), RESULT_BAD_ARGUMENT);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(QuendaQueryDecodeBufferSize(4, 4, FORMAT_ETC1_RGB8, 0, nullptr), RESULT_BAD_ARGUMENT);
}

}  // namespace
