// The 16-bit and float sources and destinations of the 8-bit route, one
// pixel at a time.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <ostream>

#include "engine_test_images.h"
#include "morlune_stages.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

struct DecodeCase {
    const char* name;
    uint32_t format;
    std::vector<uint8_t> bytes;  // one pixel as stored
    Pixel pixel;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeWidePixel : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeWidePixel, GivesTheWorkingPixel) {
    TestImage source(1, 1, GetParam().format, GetParam().bytes);
    MorluneStages converter(source.get(), nullptr);
    converter.DecodeSource();
    ASSERT_EQ(converter.BytesPerPixel(), 4u);
    const Pixel pixel{converter.Buffer()[0], converter.Buffer()[1], converter.Buffer()[2],
                      converter.Buffer()[3]};
    EXPECT_EQ(pixel, GetParam().pixel);
}

// Sources without alpha come out opaque (alpha 255), and 16-bit values
// above 255 saturate: the plain rules would give alpha 0 and keep the low
// byte (0x0100 -> 0).
INSTANTIATE_TEST_SUITE_P(
    DecodeSource, DecodeWidePixel,
    testing::Values(
        DecodeCase{"RGB16IsOpaque", RGB16, Sixteens({0x0010, 0x0020, 0x0030}), {16, 32, 48, 255}},
        DecodeCase{
            "RGB16Saturates", RGB16, Sixteens({0x0100, 0x00FF, 0xFFFF}), {255, 255, 255, 255}},
        DecodeCase{"RGBA16", RGBA16, Sixteens({1, 2, 3, 4}), {1, 2, 3, 4}},
        DecodeCase{"RGBA32F", RGBA32F, Floats({1.0f, 0.5f, 0.0f, 0.2f}), {255, 127, 0, 51}},
        DecodeCase{"RGB32FIsOpaque", RGB32F, Floats({1.0f, 0.5f, 0.0f}), {255, 127, 0, 255}},
        DecodeCase{"RGB32FSaturates", RGB32F, Floats({1.5f, -0.5f, 2.0f}), {255, 0, 255, 255}},
        DecodeCase{"LA32F", LA32F, Floats({0.2f, 0.6f}), {51, 51, 51, 153}},
        DecodeCase{"L32FIsOpaque", L32F, Floats({0.2f}), {51, 51, 51, 255}},
        DecodeCase{"A32FHasNoColour", A32F, Floats({0.6f}), {0, 0, 0, 153}},
        DecodeCase{
            "RGBA16F", RGBA16F, Sixteens({0x3C00, 0x3800, 0x0000, 0x3C00}), {255, 127, 0, 255}},
        DecodeCase{
            "RGB16FIsOpaque", RGB16F, Sixteens({0x3C00, 0x0000, 0x3C00}), {255, 0, 255, 255}},
        DecodeCase{"LA16F", LA16F, Sixteens({0x3C00, 0x3800}), {255, 255, 255, 127}},
        DecodeCase{"L16FIsOpaque", L16F, Sixteens({0x3800}), {127, 127, 127, 255}},
        DecodeCase{"A16FHasNoColour", A16F, Sixteens({0x3C00}), {0, 0, 0, 255}}),
    [](const testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

TEST(DecodeSource, ReadsWidePixelsInOrderWithoutGaps) {
    TestImage source(2, 2, RGB16, Sixteens({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    MorluneStages converter(source.get(), nullptr);
    converter.DecodeSource();
    const std::vector<uint8_t> expected{1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), converter.Buffer()));
}

struct EncodeCase {
    const char* name;
    uint32_t format;
    Pixel pixel;
    std::vector<uint8_t> bytes;  // the pixel as stored
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class EncodeWidePixel : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeWidePixel, WritesTheStoredChannels) {
    TestImage destination(1, 1, GetParam().format);
    MorluneStages converter(nullptr, destination.get());
    destination.Allocate(converter.ImgSize(destination.get()), 0xEE);
    PixelBuffer buffer(new uint8_t[4]);
    std::copy(GetParam().pixel.begin(), GetParam().pixel.end(), buffer.get());
    converter.InstallBuffer(std::move(buffer), 1, 1, 4);
    converter.EncodeDestination();
    EXPECT_EQ(destination.data, GetParam().bytes);
    EXPECT_EQ(converter.Buffer(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    EncodeDestination, EncodeWidePixel,
    testing::Values(
        EncodeCase{"RGB16", RGB16, {1, 2, 3, 4}, Sixteens({1, 2, 3})},
        EncodeCase{"RGBA16", RGBA16, {1, 2, 0xFF, 4}, Sixteens({1, 2, 0xFF, 4})},
        EncodeCase{"RGBA32F", RGBA32F, {255, 0, 51, 153}, Floats({1.0f, 0.0f, 0.2f, 0.6f})},
        EncodeCase{"RGB32F", RGB32F, {255, 0, 51, 153}, Floats({1.0f, 0.0f, 0.2f})},
        EncodeCase{"LA32F", LA32F, {51, 102, 153, 255}, Floats({0.2f, 1.0f})},
        EncodeCase{"L32FTakesRed", L32F, {51, 102, 153, 255}, Floats({0.2f})},
        EncodeCase{"A32F", A32F, {51, 102, 153, 0}, Floats({0.0f})},
        EncodeCase{"RGBA16F", RGBA16F, {255, 0, 255, 0}, Sixteens({0x3C00, 0, 0x3C00, 0})},
        EncodeCase{"RGB16F", RGB16F, {0, 255, 0, 0}, Sixteens({0, 0x3C00, 0})},
        EncodeCase{"LA16F", LA16F, {255, 0, 0, 0}, Sixteens({0x3C00, 0})},
        EncodeCase{"L16F", L16F, {0, 255, 255, 255}, Sixteens({0})},
        EncodeCase{"A16F", A16F, {0, 0, 0, 255}, Sixteens({0x3C00})}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return info.param.name; });

}  // namespace
