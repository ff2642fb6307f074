#include "quality.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(Quality, IdenticalPicturesAreLossless) {
    const std::vector<uint8_t> a = {1, 2, 3, 4, 5, 6, 7, 8};
    const SquaredError error = MeasureSquaredError(a.data(), a.data(), 2, CHANNELS_RGBA);
    EXPECT_EQ(error.count, 8u);
    EXPECT_TRUE(std::isinf(Psnr(error)));
}

TEST(Quality, OffByOneEverywhereIs48Decibels) {
    const std::vector<uint8_t> a(4 * 16, 100);
    const std::vector<uint8_t> b(4 * 16, 101);
    const double psnr = Psnr(MeasureSquaredError(a.data(), b.data(), 16, CHANNELS_RGB));
    EXPECT_NEAR(psnr, 10.0 * std::log10(255.0 * 255.0), 1e-9);
}

TEST(Quality, OnlyTheChosenChannelsCount) {
    // Pixel 0 differs by 10 in blue and alpha, pixel 1 by 2 in red.
    const std::vector<uint8_t> a = {0, 0, 0, 0, 50, 60, 70, 80};
    const std::vector<uint8_t> b = {0, 0, 10, 10, 52, 60, 70, 80};
    const SquaredError red = MeasureSquaredError(a.data(), b.data(), 2, CHANNEL_R);
    EXPECT_EQ(red.sum, 4.0);
    EXPECT_EQ(red.count, 2u);
    const SquaredError redGreen = MeasureSquaredError(a.data(), b.data(), 2, CHANNEL_R | CHANNEL_G);
    EXPECT_EQ(redGreen.sum, 4.0);
    EXPECT_EQ(redGreen.count, 4u);
    const SquaredError rgba = MeasureSquaredError(a.data(), b.data(), 2, CHANNELS_RGBA);
    EXPECT_EQ(rgba.sum, 204.0);
    EXPECT_EQ(rgba.count, 8u);
}

TEST(Quality, NothingComparedHasNoFigure) { EXPECT_TRUE(std::isnan(Psnr(SquaredError{}))); }

TEST(Quality, ChannelNames) {
    EXPECT_EQ(ChannelNames(CHANNELS_RGB), "RGB");
    EXPECT_EQ(ChannelNames(CHANNELS_RGBA), "RGBA");
    EXPECT_EQ(ChannelNames(CHANNEL_R | CHANNEL_G), "RG");
    EXPECT_EQ(ChannelNames(CHANNEL_R), "R");
}
