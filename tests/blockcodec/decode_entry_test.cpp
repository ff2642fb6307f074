// QuendaDecode: its checks in their order, levels, channel orders and the
// stored layout each format decodes from.
#include <gtest/gtest.h>

#include <vector>

#include "etc1_codec.h"
#include "quenda.h"
#include "single_channel_codec.h"
#include "test_pixels.h"

namespace {

// A single-channel block of endpoints e0 and e1 whose indices count 0..7
// twice.
std::vector<uint8_t> CountingChannelBlock(uint8_t e0, uint8_t e1) {
    uint64_t bits = 0;
    for (int k = 0; k < 16; ++k) {
        bits |= static_cast<uint64_t>(k % 8) << (3 * k);
    }
    std::vector<uint8_t> block = {e0, e1};
    for (int i = 0; i < 6; ++i) {
        block.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    return block;
}

std::vector<uint8_t> DecodeChannel(const std::vector<uint8_t>& block) {
    std::vector<uint8_t> values(16);
    SingleChannelDecodeBlock(block.data(), values.data());
    return values;
}

TEST(QuendaDecode, ChecksFormatThenSizeThenOrder) {
    const uint8_t source[16] = {};
    uint8_t destination[45];
    EXPECT_EQ(QuendaDecode(0x12345678, 5, 3, 0x01, source, 0, 7, destination, 0),
              RESULT_UNKNOWN_FORMAT);
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, source, 0, 7, destination, 44),
              RESULT_BUFFER_TOO_SMALL);
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, source, 0, 7, destination, 45),
              RESULT_BAD_CHANNEL_ORDER);
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, source, 0, ORDER_RGB, destination, 45),
              RESULT_OK);
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, source, -1, ORDER_RGB, destination, 45),
              RESULT_BAD_ARGUMENT);
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, source, 0, ORDER_RGB, nullptr, 45),
              RESULT_BUFFER_TOO_SMALL);
}

TEST(QuendaDecode, FiveByThreeWritesOnlyThePixelsInside) {
    const RgbaImage image = StructuredImage(5, 3, 8);
    uint8_t blocks[16];
    uint32_t size = sizeof blocks;
    ASSERT_EQ(QuendaEncode(image.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0, 5, 3, 20, 0x01,
                           FORMAT_ETC1_RGB8, blocks, &size),
              RESULT_OK);
    std::vector<uint8_t> decoded(46, 0xAB);
    ASSERT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 5, 3, 0x01, blocks, 0, ORDER_RGB, decoded.data(), 45),
              RESULT_OK);
    EXPECT_EQ(decoded[45], 0xAB);
    for (int block = 0; block < 2; ++block) {
        ColourBlock pixels;
        Etc1DecodeBlock(
            static_cast<uint32_t>(blocks[8 * block]) << 24 | blocks[8 * block + 1] << 16 |
                blocks[8 * block + 2] << 8 | blocks[8 * block + 3],
            static_cast<uint32_t>(blocks[8 * block + 4]) << 24 | blocks[8 * block + 5] << 16 |
                blocks[8 * block + 6] << 8 | blocks[8 * block + 7],
            &pixels);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 4 && 4 * block + x < 5; ++x) {
                for (int c = 0; c < 3; ++c) {
                    EXPECT_EQ(decoded[(y * 5 + 4 * block + x) * 3 + c], pixels.texel[4 * y + x][c]);
                }
            }
        }
    }
}

TEST(QuendaDecode, LevelTwoOfASixteenSquareEtc1ChainStartsAtByte160) {
    std::vector<uint8_t> chain(184, 0);
    // The level-2 block: individual mode, bases 0x11.. and 0xEE.., flip 0.
    const uint8_t level2[8] = {0x1E, 0x2D, 0x3C, 0x00, 0x00, 0xFF, 0x00, 0x0F};
    std::copy(level2, level2 + 8, chain.begin() + 160);
    ColourBlock expected;
    Etc1DecodeBlock(0x1E2D3C00, 0x00FF000F, &expected);
    std::vector<uint8_t> decoded(48);
    ASSERT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 16, 16, 0x01, chain.data(), 2, ORDER_RGB,
                           decoded.data(), 48),
              RESULT_OK);
    EXPECT_EQ(decoded, std::vector<uint8_t>(&expected.texel[0][0], &expected.texel[0][0] + 48));
    EXPECT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 16, 16, 0x01, chain.data(), 2, ORDER_RGB,
                           decoded.data(), 47),
              RESULT_BUFFER_TOO_SMALL);
}

TEST(QuendaDecode, BgrOrderSwapsTheOuterBytesOnly) {
    const uint8_t block[8] = {0x1E, 0x2D, 0x3C, 0x00, 0x12, 0x34, 0x56, 0x78};
    std::vector<uint8_t> rgb(64);
    std::vector<uint8_t> bgr(64);
    ASSERT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 4, 4, FLAG_ALPHA, block, 0, ORDER_RGB, rgb.data(), 64),
              RESULT_OK);
    ASSERT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, 4, 4, FLAG_ALPHA, block, 0, ORDER_BGR, bgr.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(bgr[4 * i], rgb[4 * i + 2]);
        EXPECT_EQ(bgr[4 * i + 1], rgb[4 * i + 1]);
        EXPECT_EQ(bgr[4 * i + 2], rgb[4 * i]);
        EXPECT_EQ(rgb[4 * i + 3], 255);
        EXPECT_EQ(bgr[4 * i + 3], 255);
    }
}

TEST(QuendaDecode, ThreeDcXFillsAllThreeChannelsAndAlpha255) {
    const std::vector<uint8_t> block = CountingChannelBlock(200, 100);
    const std::vector<uint8_t> values = DecodeChannel(block);
    std::vector<uint8_t> decoded(64);
    ASSERT_EQ(QuendaDecode(FORMAT_3DC_X, 4, 4, FLAG_ALPHA, block.data(), 0, ORDER_RGB,
                           decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(decoded[4 * i], values[i]);
        EXPECT_EQ(decoded[4 * i + 1], values[i]);
        EXPECT_EQ(decoded[4 * i + 2], values[i]);
        EXPECT_EQ(decoded[4 * i + 3], 255);
    }
}

TEST(QuendaDecode, ThreeDcXYReadsTheGreenBlockFirst) {
    std::vector<uint8_t> block = CountingChannelBlock(200, 100);
    const std::vector<uint8_t> red = CountingChannelBlock(10, 250);
    block.insert(block.end(), red.begin(), red.end());
    const std::vector<uint8_t> greenValues = DecodeChannel(block);
    const std::vector<uint8_t> redValues = DecodeChannel(red);
    std::vector<uint8_t> decoded(64);
    ASSERT_EQ(QuendaDecode(FORMAT_3DC_XY, 4, 4, FLAG_ALPHA, block.data(), 0, ORDER_RGB,
                           decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(decoded[4 * i], redValues[i]);
        EXPECT_EQ(decoded[4 * i + 1], greenValues[i]);
        EXPECT_EQ(decoded[4 * i + 2], 255);
        EXPECT_EQ(decoded[4 * i + 3], 255);
    }
}

TEST(QuendaDecode, OneByOneLevelsBeyondTheChainKeepTheirSize) {
    std::vector<uint8_t> chain(16 * 8, 0);
    std::vector<uint8_t> decoded(3);
    EXPECT_EQ(QuendaDecode(FORMAT_3DC_X, 4, 4, 0, chain.data(), 40, ORDER_RGB, decoded.data(), 3),
              RESULT_OK);
}

}  // namespace
