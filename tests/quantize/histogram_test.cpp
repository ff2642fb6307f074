// The colour hash and the histogram's order and limit.
#include <gtest/gtest.h>

#include "color_hash_table.h"
#include "histogram.h"

namespace {

TEST(ColorHash, WeighsEachChannelByItsPrime) {
    EXPECT_EQ(ColorHash({{0, 0, 0, 0}}), 0u);
    EXPECT_EQ(ColorHash({{1, 0, 0, 0}}), 13000u);
    EXPECT_EQ(ColorHash({{0, 1, 0, 0}}), 9990u);
    EXPECT_EQ(ColorHash({{0, 0, 1, 0}}), 6988u);
    EXPECT_EQ(ColorHash({{0, 0, 0, 1}}), 3984u);
    EXPECT_EQ(ColorHash({{255, 255, 255, 255}}), (255u * (33023 + 30013 + 27011 + 24007)) % 20023);
}

TEST(CountColors, ListsBucketsInOrderAndNewestColourFirst) {
    // (1, 139, 0, 0) shares bucket 0 with black; (0, 0, 0, 1) is in 3984,
    // (1, 0, 0, 0) in 13000.
    const QuantPixel pixels[] = {{{1, 0, 0, 0}}, {{0, 0, 0, 0}}, {{0, 0, 0, 1}}, {{1, 139, 0, 0}},
                                 {{0, 0, 0, 0}}, {{1, 0, 0, 0}}, {{0, 0, 0, 0}}};
    Histogram histogram;
    ASSERT_EQ(CountColors(pixels, 7, kHistogramLimit, histogram), CountResult::Counted);
    ASSERT_EQ(histogram.size, 4u);
    const QuantPixel expected[] = {
        {{1, 139, 0, 0}}, {{0, 0, 0, 0}}, {{0, 0, 0, 1}}, {{1, 0, 0, 0}}};
    const uint64_t counts[] = {1, 3, 1, 2};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(histogram.entries[i].colour == expected[i]) << i;
        EXPECT_EQ(histogram.entries[i].count, counts[i]) << i;
    }
}

TEST(CountColors, ReportsMoreDistinctColoursThanTheLimit) {
    const QuantPixel pixels[] = {{{1, 0, 0, 0}}, {{2, 0, 0, 0}}, {{1, 0, 0, 0}}, {{3, 0, 0, 0}}};
    Histogram histogram;
    EXPECT_EQ(CountColors(pixels, 4, 3, histogram), CountResult::Counted);
    EXPECT_EQ(CountColors(pixels, 4, 2, histogram), CountResult::TooManyColours);
}

}  // namespace
