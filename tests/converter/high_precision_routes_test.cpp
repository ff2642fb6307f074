// The float and 16-bit routes: every channel set through the entry, the
// float forms of the resampling stages, and the 16-bit route's refusals.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "engine_test_images.h"
#include "morlune.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct RouteCase {
    const char* name;
    uint32_t from;
    Bytes source;  // one pixel
    uint32_t to;
    Bytes expected;
};

const RouteCase kOnePixel[] = {
    // Sources without alpha are opaque: 255 on the 16-bit route, 1.0 on the
    // float route (a zero alpha would make an opaque picture transparent).
    {"Rgb16ToRgba16IsOpaque", RGB16, Sixteens({1, 0x1234, 300}), RGBA16,
     Sixteens({1, 0x1234, 300, 255})},
    {"Rgba16ToRgb16DropsAlpha", RGBA16, Sixteens({7, 8, 9, 10}), RGB16, Sixteens({7, 8, 9})},
    {"Rgba16KeepsEveryBit", RGBA16, Sixteens({0xFFFF, 0x8001, 0, 0x0100}), RGBA16,
     Sixteens({0xFFFF, 0x8001, 0, 0x0100})},
    {"L16FToRgba32FIsOpaque", L16F, Sixteens({0x3C00}), RGBA32F, Floats({1.0f, 1.0f, 1.0f, 1.0f})},
    {"Rgb32FToLa32FIsOpaque", RGB32F, Floats({0.25f, 0.5f, 0.75f}), LA32F, Floats({0.25f, 1.0f})},
    {"Rgb16FToRgba16FIsOpaque", RGB16F, Sixteens({0x3800, 0x0001, 0xBC00}), RGBA16F,
     Sixteens({0x3800, 0x0001, 0xBC00, 0x3C00})},
    {"L32FToRgba32FIsOpaque", L32F, Floats({0.5f}), RGBA32F, Floats({0.5f, 0.5f, 0.5f, 1.0f})},
    {"La16FFillsColourFromLuminance", LA16F, Sixteens({0x3400, 0x3800}), RGBA32F,
     Floats({0.25f, 0.25f, 0.25f, 0.5f})},
    {"A32FToL32FIsBlack", A32F, Floats({0.75f}), L32F, Floats({0.0f})},
    {"A16FToRgba32FKeepsColourZero", A16F, Sixteens({0x3C00}), RGBA32F,
     Floats({0.0f, 0.0f, 0.0f, 1.0f})},
    {"Rgba32FToA16FTakesAlpha", RGBA32F, Floats({1.0f, 2.0f, 3.0f, 0.5f}), A16F,
     Sixteens({0x3800})},
    {"Rgba32FToL16FTakesRed", RGBA32F, Floats({2.0f, 0.0f, 0.0f, 0.0f}), L16F, Sixteens({0x4000})},
    // Too large for a half: infinity, where a wrapping exponent gives 0x0000.
    {"Rgba32FToRgba16FSaturatesToInfinity", RGBA32F, Floats({1.0f, 131072.0f, -131072.0f, 0.5f}),
     RGBA16F, Sixteens({0x3C00, 0x7C00, 0xFC00, 0x3800})},
    {"Rgba32FCopiesEveryBit", RGBA32F, Floats({-0.0f, 1e30f, 5.0f, -2.5f}), RGBA32F,
     Floats({-0.0f, 1e30f, 5.0f, -2.5f})},
};

class OnePixelRoute : public testing::TestWithParam<RouteCase> {};

TEST_P(OnePixelRoute, WritesTheDestinationsChannels) {
    const RouteCase& c = GetParam();
    TestImage source(1, 1, c.from, c.source);
    TestImage destination(1, 1, c.to);
    const ConvertResult result = ConvertWithQuery(source.get(), destination);
    ASSERT_EQ(result.code, TRC_OK) << result.messages;
    EXPECT_EQ(result.messages, "");
    EXPECT_EQ(destination.data, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Formats, OnePixelRoute, testing::ValuesIn(kOnePixel),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FloatRoute, BoxAveragesInFloat) {
    const float square[2][2] = {{0.25f, 0.5f}, {0.125f, 1.0f}};
    Bytes pixels;
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 4; ++x) {
            const float v = square[y % 2][x % 2];
            const Bytes pixel = Floats({v, 0.0f, 1.0f, v});
            pixels.insert(pixels.end(), pixel.begin(), pixel.end());
        }
    }
    TestImage source(4, 4, RGBA32F, pixels);
    TestImage destination(2, 2, RGBA32F);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    // 0.46875 is no byte value: a pass through 8 bits would give 119 / 255.
    Bytes expected;
    for (int i = 0; i < 4; ++i) {
        const Bytes pixel = Floats({0.46875f, 0.0f, 1.0f, 0.46875f});
        expected.insert(expected.end(), pixel.begin(), pixel.end());
    }
    EXPECT_EQ(destination.data, expected);
}

TEST(FloatRoute, FlipsEnlargesAndReducesBetweenHalfImages) {
    // 1 x 2 L16F, stored upside down, to 2 x 1: rows swapped, each pixel
    // doubled across, then the two rows averaged.
    TestImage source(1, 2, L16F, Sixteens({0x3C00, 0x0000}));
    source.layout.bFlipY = 1;
    TestImage destination(2, 1, L16F);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    EXPECT_EQ(destination.data, Sixteens({0x3800, 0x3800}));

    TestImage tall(1, 2, L16F, Sixteens({0x3C00, 0x0000}));
    tall.layout.bFlipY = 1;
    TestImage same(1, 2, L16F);
    ASSERT_EQ(ConvertWithQuery(tall.get(), same).code, TRC_OK);
    EXPECT_EQ(same.data, Sixteens({0x0000, 0x3C00}));
}

TEST(FloatRoute, NotWholeEnlargementStaysInsideTheImage) {
    TestImage source(2, 1, L32F, Floats({0.25f, 0.75f}));
    TestImage destination(3, 1, L32F);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    EXPECT_EQ(destination.data, Floats({0.25f, 0.75f, 0.75f}));
}

TEST(FloatRoute, FilterFiveWarnsOncePerPixel) {
    TestImage source(4, 4, RGBA32F, Bytes(4 * 4 * 16, 0));
    TestImage destination(2, 2, RGBA32F);
    destination.layout.nScaleFilter = 5;
    const ConvertResult result = ConvertWithQuery(source.get(), destination);
    EXPECT_EQ(result.code, TRC_OK);
    const std::string warning = EngineMessage("Unimplemented scalefiler");
    EXPECT_EQ(result.messages, warning + warning + warning + warning);
}

struct SixteenFailure {
    const char* name;
    uint32_t toWidth, toHeight;
    uint32_t sourceFlipX, sourceFlipY, destinationFlipX, destinationFlipY;
    bool quiet;
    const char* message;
};

const SixteenFailure kSixteenFailures[] = {
    {"Wider", 3, 2, 0, 0, 0, 0, false, "RGBA16 route cannot resize"},
    {"Narrower", 1, 2, 0, 0, 0, 0, false, "RGBA16 route cannot resize"},
    {"Shorter", 2, 1, 0, 0, 0, 0, false, "RGBA16 route cannot resize"},
    {"Taller", 2, 4, 0, 0, 0, 0, false, "RGBA16 route cannot resize"},
    {"ResizeQuietly", 4, 4, 0, 0, 0, 0, true, ""},
    {"MirrorOnSource", 2, 2, 1, 0, 0, 0, false, "RGBA16 route cannot flip"},
    {"FlipOnDestination", 2, 2, 0, 0, 0, 1, false, "RGBA16 route cannot flip"},
    {"MirrorOneFlipOther", 2, 2, 1, 0, 1, 1, false, "RGBA16 route cannot flip"},
    {"FlipQuietly", 2, 2, 0, 1, 0, 0, true, ""},
};

class SixteenBitRouteFailure : public testing::TestWithParam<SixteenFailure> {};

TEST_P(SixteenBitRouteFailure, FailsBeforeWritingAnything) {
    const SixteenFailure& c = GetParam();
    for (const uint32_t to : {RGB16, RGBA16}) {
        TestImage source(2, 2, RGBA16, Bytes(2 * 2 * 8, 0x11));
        source.layout.bFlipX = c.sourceFlipX;
        source.layout.bFlipY = c.sourceFlipY;
        source.layout.nControl = c.quiet ? kControlQuiet : 0;
        TestImage destination(c.toWidth, c.toHeight, to);
        destination.layout.bFlipX = c.destinationFlipX;
        destination.layout.bFlipY = c.destinationFlipY;
        destination.Allocate(c.toWidth * c.toHeight * (to == RGB16 ? 6 : 8), 0xEE);
        const Bytes before = destination.data;
        const ConvertResult result = ConvertCapturing(source.get(), destination.get());
        EXPECT_EQ(result.code, TRC_FAILED);
        EXPECT_EQ(result.messages, EngineMessage(c.message));
        EXPECT_EQ(destination.data, before);
    }
}

INSTANTIATE_TEST_SUITE_P(Requests, SixteenBitRouteFailure, testing::ValuesIn(kSixteenFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SixteenBitRoute, FlagsOnBothImagesAreNoFlip) {
    TestImage source(1, 2, RGB16, Sixteens({1, 2, 3, 4, 5, 6}));
    source.layout.bFlipX = 1;
    source.layout.bFlipY = 2;
    TestImage destination(1, 2, RGBA16);
    destination.layout.bFlipX = 3;
    destination.layout.bFlipY = 1;
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    EXPECT_EQ(destination.data, Sixteens({1, 2, 3, 255, 4, 5, 6, 255}));
}

TEST(EightBitRoute, ResamplesThroughTheEntry) {
    // 2 x 1 RGBA8888 to 3 x 2: columns 0, 1, 1 (the last clamped) and the row
    // doubled.
    TestImage source(2, 1, RGBA8888, Bytes{10, 20, 30, 40, 50, 60, 70, 80});
    TestImage destination(3, 2, RGBA8888);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    const Bytes row{10, 20, 30, 40, 50, 60, 70, 80, 50, 60, 70, 80};
    Bytes expected = row;
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(destination.data, expected);

    // And back to 1 x 1 with the point filter: 8-bit form picks (1, 1).
    TestImage reduced(1, 1, RGBA8888);
    reduced.layout.nScaleFilter = 1;
    ASSERT_EQ(ConvertWithQuery(destination.get(), reduced).code, TRC_OK);
    EXPECT_EQ(reduced.data, (Bytes{50, 60, 70, 80}));
}

}  // namespace
