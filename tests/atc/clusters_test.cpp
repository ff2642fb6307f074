// Index assignment by thresholds, class means and a block's error.
#include <gtest/gtest.h>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

TEST(Luminance, WeightsSumToSixtyFour) {
    EXPECT_EQ(Luminance({{255, 255, 255}}), 255);
    EXPECT_EQ(Luminance({{0, 0, 255}}), 27);
    EXPECT_EQ(Luminance({{255, 0, 0}}), 75);
    EXPECT_EQ(Luminance({{0, 255, 0}}), 151);
    EXPECT_EQ(Luminance({{17, 17, 17}}), 17);
}

TEST(AssignIndices, ThresholdsBelongToTheClassesBelowExceptTheTop) {
    const int luma[16] = {10, 11, 20, 21, 30, 31, 9, 40, 10, 10, 10, 10, 10, 10, 10, 10};
    // lo 10 -> class 0, mid 20 -> class 1, hi 30 -> class 3.
    const uint32_t expected[16] = {0, 1, 1, 2, 3, 3, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    uint32_t indexWord = AssignIndices(luma, 10, 20, 30);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ((indexWord >> (2 * t)) & 3, expected[t]) << t;
    }
}

// lo 0, hi 100: thresholds 25, 50 and 75.
TEST(QuarterPointIndices, LuminanceOnAThreshold) {
    const int luma[16] = {0, 25, 26, 50, 51, 74, 75, 100, 0, 0, 0, 0, 0, 0, 0, 0};
    const uint32_t expected[16] = {0, 0, 1, 1, 2, 2, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    uint32_t indexWord = QuarterPointIndices(luma);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ((indexWord >> (2 * t)) & 3, expected[t]) << t;
    }
}

// Thresholds at quarter points that are not whole numbers: lo 0, hi 255
// gives 63.75, 127.5 and 191.25.
TEST(QuarterPointIndices, FractionalThresholds) {
    const int luma[16] = {63, 64, 127, 128, 191, 192, 0, 255, 0, 0, 0, 0, 0, 0, 0, 0};
    const uint32_t expected[16] = {0, 1, 1, 2, 2, 3, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0};
    uint32_t indexWord = QuarterPointIndices(luma);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ((indexWord >> (2 * t)) & 3, expected[t]) << t;
    }
}

TEST(ClusterMeans, TruncatedMeansAndBlackForEmptyClasses) {
    ColourBlock texels = GreyRampBlock();
    Clusters clusters = ClusterMeans(texels, 0xFFAA5500);
    const int means[4] = {25, 93, 161, 229};  // (0+17+34+51)/4 = 25.5 truncates
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(clusters.count[k], 4);
        EXPECT_EQ(clusters.mean[k].ch[0], means[k]);
    }
    clusters = ClusterMeans(texels, 0xFFFFFFFF);
    EXPECT_EQ(clusters.count[3], 16);
    EXPECT_EQ(clusters.count[0], 0);
    EXPECT_EQ(clusters.mean[0].ch[0], 0);
    EXPECT_EQ(clusters.mean[3].ch[1], 127);  // 2040 / 16 = 127.5
}

TEST(BlockError, SumOfSquaredChannelDifferences) {
    ColourBlock texels = FlatBlock(200, 100, 50);
    // 0xC326 is (198, 101, 49): 4 + 1 + 1 per texel.
    EXPECT_EQ(BlockError(texels, 0xFFFFFFFF, 0x0000, 0xC326, FORMAT_ATC), 16 * 6);
    EXPECT_EQ(BlockError(HalfBlackWhiteBlock(), 0xFFFF0000, 0x0000, 0xFFFF, FORMAT_ATC), 0);
}

}  // namespace
