// Whole conversions through MorluneConvert on one-pixel and small images:
// the bytes written, the codes returned and the messages printed.
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <ostream>

#include "engine_test_images.h"

namespace {

// One whole MorluneConvert request, size query first, from a 1 x 1 source.
struct ConversionCase {
    const char* name;
    uint32_t sourceFormat;
    std::vector<uint8_t> sourceBytes;
    uint32_t destinationFormat;
    TReturnCode code;
    const char* message;
    std::vector<uint8_t> destinationBytes;  // expected on success
};

void PrintTo(const ConversionCase& c, std::ostream* os) { *os << c.name; }

class Conversion : public testing::TestWithParam<ConversionCase> {};

TEST_P(Conversion, GivesTheResultAndTheMessage) {
    const ConversionCase& c = GetParam();
    TestImage source(1, 1, c.sourceFormat, c.sourceBytes);
    TestImage destination(1, 1, c.destinationFormat);
    const ConvertResult result = ConvertWithQuery(source.get(), destination);
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.messages, EngineMessage(c.message));
    if (c.code == TRC_OK) {
        EXPECT_EQ(destination.data, c.destinationBytes);
    }
}

// Sources without alpha come out opaque, 16-bit and float values saturate
// when brought to bytes, and wide channels carry their top byte: the plain
// rules gave alpha 0, kept the low byte of 16-bit values (0x0100 -> 0),
// wrapped floats (1.5 -> 126) and lost wide channels (0).
INSTANTIATE_TEST_SUITE_P(
    Engine, Conversion,
    testing::Values(
        ConversionCase{"RGB16ToRGBA8888IsOpaqueAndSaturates",
                       RGB16,
                       Sixteens({0x0100, 0x10, 0x20}),
                       RGBA8888,
                       TRC_OK,
                       "",
                       {255, 0x10, 0x20, 255}},
        ConversionCase{"RGB32FToRGBA8888IsOpaque",
                       RGB32F,
                       Floats({1.0f, 0.5f, 0.0f}),
                       RGBA8888,
                       TRC_OK,
                       "",
                       {255, 127, 0, 255}},
        ConversionCase{"RGB32FSaturates",
                       RGB32F,
                       Floats({1.5f, -1.0f, 0.2f}),
                       RGBA8888,
                       TRC_OK,
                       "",
                       {255, 0, 51, 255}},
        ConversionCase{"L16FToRGBA8888IsOpaque",
                       L16F,
                       Sixteens({0x3800}),
                       RGBA8888,
                       TRC_OK,
                       "",
                       {127, 127, 127, 255}},
        ConversionCase{
            "A32FKeepsColourZero", A32F, Floats({1.0f}), RGBA8888, TRC_OK, "", {0, 0, 0, 255}},
        ConversionCase{
            "RGB16ToRGB565", RGB16, Sixteens({0xFF, 0, 0}), RGB565, TRC_OK, "", {0x00, 0xF8}},
        ConversionCase{"L16ToL24", L16, {0xCD, 0xAB}, L24, TRC_OK, "", {0xAB, 0xAB, 0xAB}},
        ConversionCase{
            "RGBA8888ToL32F", RGBA8888, {51, 102, 153, 255}, L32F, TRC_OK, "", Floats({0.2f})},
        ConversionCase{
            "RGBA8888ToRGBA16", RGBA8888, {1, 2, 3, 4}, RGBA16, TRC_OK, "", Sixteens({1, 2, 3, 4})},
        ConversionCase{"RGBA8888ToRGBA16FHalves",
                       RGBA8888,
                       {255, 0, 255, 255},
                       RGBA16F,
                       TRC_OK,
                       "",
                       Sixteens({0x3C00, 0, 0x3C00, 0x3C00})},
        ConversionCase{"FloatRouteKeepsPrecision", RGBA32F, Floats({1.0f, 0.5f, 0.25f, 1.0f}),
                       RGBA16F, TRC_OK, "", Sixteens({0x3C00, 0x3800, 0x3400, 0x3C00})},
        ConversionCase{"SixteenBitRouteKeepsValues", RGBA16, Sixteens({0x1234, 2, 3, 4}), RGB16,
                       TRC_OK, "", Sixteens({0x1234, 2, 3})},
        ConversionCase{"PaletteSource",
                       PAL1_RGBA8888,
                       {1, 2, 3, 4, 5, 6, 7, 8, 0x01},
                       RGB888,
                       TRC_OK,
                       "",
                       {5, 6, 7}}),
    [](const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; });

TEST(Engine, ShrinksAndEncodesOnTheEightBitRoute) {
    // 2 x 2 RGBA8888 to 1 x 1 RGB565 with the box filter.
    TestImage source(2, 2, RGBA8888, {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    TestImage destination(1, 1, RGB565);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    EXPECT_EQ(destination.data, (std::vector<uint8_t>{0x00, 0x78}));  // red 127 -> 15
}

TEST(Engine, FlipsOnTheEightBitRoute) {
    TestImage source(1, 2, RGB888, {1, 2, 3, 4, 5, 6});
    source.layout.bFlipY = 1;
    TestImage destination(1, 2, RGB888);
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    EXPECT_EQ(destination.data, (std::vector<uint8_t>{4, 5, 6, 1, 2, 3}));
}

TEST(Engine, PacksAtAPitchOverrideAndReportsTheBytes) {
    TestImage source(2, 2, RGBA8888, std::vector<uint8_t>(16, 7));
    TestImage destination(2, 2, RGBA8888);
    destination.layout.nPitch = 12;
    ASSERT_EQ(ConvertWithQuery(source.get(), destination).code, TRC_OK);
    const std::vector<uint8_t> row{7, 7, 7, 7, 7, 7, 7, 7, 0, 0, 0, 0};
    std::vector<uint8_t> expected = row;
    expected.insert(expected.end(), row.begin(), row.end());
    EXPECT_EQ(destination.data, expected);
    EXPECT_EQ(destination->nDataSize, 24u);
}

TEST(Engine, QuietConversionsPrintNothing) {
    TestImage source(2, 2, RGBA8888, std::vector<uint8_t>(16, 7));
    TestImage destination(1, 1, RGBA8888, std::vector<uint8_t>(4));
    destination.layout.nScaleFilter = 5;  // warns once per output pixel
    ConvertResult result = ConvertCapturing(source.get(), destination.get());
    EXPECT_EQ(result.code, TRC_OK);
    EXPECT_EQ(result.messages, EngineMessage("Unimplemented scalefiler"));
    source.layout.nControl = kControlQuiet;
    result = ConvertCapturing(source.get(), destination.get());
    EXPECT_EQ(result.code, TRC_OK);
    EXPECT_EQ(result.messages, "");
    EXPECT_EQ(destination.data, std::vector<uint8_t>(4, 7));
}

}  // namespace
