// Single-channel blocks with known bytes: palettes, endpoints and indices.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "single_channel_codec.h"
#include "single_channel_layout.h"
#include "single_channel_ramp.h"

namespace {

using Block = std::array<uint8_t, 8>;
using Values = std::array<uint8_t, 16>;

Block Encode(const Values& values) {
    Block block{};
    SingleChannelEncodeBlock(values.data(), block.data());
    return block;
}

Values Decode(const Block& block) {
    Values values{};
    SingleChannelDecodeBlock(block.data(), values.data());
    return values;
}

std::array<uint8_t, 16> Indices(const Block& block) {
    std::array<uint8_t, 16> index{};
    UnpackSingleChannelIndices(block.data(), index.data());
    return index;
}

Values Filled(uint8_t value) {
    Values values;
    values.fill(value);
    return values;
}

TEST(SingleChannelEncode, FlatBlockHasEqualEndpointsAndZeroIndices) {
    for (int c : {0, 1, 77, 128, 254, 255}) {
        const Block block = Encode(Filled(static_cast<uint8_t>(c)));
        EXPECT_EQ(block,
                  (Block{static_cast<uint8_t>(c), static_cast<uint8_t>(c), 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(Decode(block), Filled(static_cast<uint8_t>(c)));
    }
}

TEST(SingleChannelEncode, TwoValuesUseEightValueModeWithTheLargerFirst) {
    Values values = Filled(40);
    for (int k : {1, 2, 5, 6, 11, 15}) {
        values[k] = 190;
    }
    const Block block = Encode(values);
    EXPECT_EQ(block[0], 190);
    EXPECT_EQ(block[1], 40);
    const auto index = Indices(block);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(index[k], values[k] == 190 ? 0 : 1) << k;
    }
    EXPECT_EQ(Decode(block), values);
}

TEST(SingleChannelEncode, ExtremesWithOneMidValueUseSixValueMode) {
    Values values = Filled(0);
    for (int k = 0; k < 16; ++k) {
        values[k] = k % 3 == 0 ? 0 : (k % 3 == 1 ? 255 : 93);
    }
    const Block block = Encode(values);
    EXPECT_EQ(block[0], 93);
    EXPECT_EQ(block[1], 94);
    const auto index = Indices(block);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(index[k], k % 3 == 0 ? 6 : (k % 3 == 1 ? 7 : 0)) << k;
    }
    EXPECT_EQ(Decode(block), values);
}

TEST(SingleChannelEncode, OnlyNearExtremesGiveEndpoints128And129) {
    const uint8_t pattern[4] = {0, 1, 254, 255};
    Values values{};
    for (int k = 0; k < 16; ++k) {
        values[k] = pattern[(k * 3) % 4];
    }
    const Block block = Encode(values);
    EXPECT_EQ(block[0], 128);
    EXPECT_EQ(block[1], 129);
    const auto index = Indices(block);
    const Values decoded = Decode(block);
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(index[k], values[k] < 128 ? 6 : 7) << k;
        EXPECT_EQ(decoded[k], values[k] < 128 ? 0 : 255) << k;
    }
}

TEST(SingleChannelEncode, EqualPassErrorsKeepSixValueMode) {
    const Values values = {54, 54, 54, 54, 53, 37, 54, 54, 54, 53, 37, 37, 53, 37, 53, 37};
    // Every value is in the interpolated range, so both passes see this list.
    WeightedValues list;
    list.count = 3;
    const float distinct[3][2] = {{37, 5}, {53, 4}, {54, 7}};
    for (int i = 0; i < 3; ++i) {
        list.value[i] = distinct[i][0] / 255.0f;
        list.weight[i] = distinct[i][1];
    }
    const RampFit six = SearchRamp(list, 6);
    const RampFit eight = SearchRamp(list, 8);
    ASSERT_EQ(six.error, eight.error);
    // Eight-value mode would have stored 53, 37.
    EXPECT_EQ(Encode(values), (Block{37, 53, 0x49, 0x12, 0x24, 0x09, 0x10, 0x04}));
}

TEST(SingleChannelDecode, EqualEndpointsIgnoreTheIndices) {
    EXPECT_EQ(Decode(Block{77, 77, 0xFF, 0x12, 0x34, 0x56, 0x78, 0x9A}), Filled(77));
}

TEST(SingleChannelDecode, PalettesOfBothModes) {
    uint8_t palette[8];
    SingleChannelPalette(200, 100, palette);
    EXPECT_EQ(std::vector<uint8_t>(palette, palette + 8),
              (std::vector<uint8_t>{200, 100, 186, 171, 157, 143, 129, 114}));
    SingleChannelPalette(100, 200, palette);
    EXPECT_EQ(std::vector<uint8_t>(palette, palette + 8),
              (std::vector<uint8_t>{100, 200, 120, 140, 160, 180, 0, 255}));
}

TEST(SingleChannelLayout, IndexFiveStraddlesTheTwoWords) {
    std::array<uint8_t, 16> index{};
    index[5] = 7;
    Block block{};
    PackSingleChannelIndices(index.data(), block.data());
    // Bits 31, 32 and 33 of the block as a little-endian number.
    EXPECT_EQ(block, (Block{0, 0, 0, 0x80, 0x03, 0, 0, 0}));
    EXPECT_EQ(Indices(block), index);
}

}  // namespace
