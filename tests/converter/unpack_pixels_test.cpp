// Direct and palettised sources: pixels read through the masks at the
// pitch, and palette indices.
#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "byte_order.h"
#include "engine_test_images.h"
#include "morlune_stages.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

// The working image that UnpackPixels makes of source.
std::vector<Pixel> Unpack(TestImage& source) {
    MorluneStages converter(source.get(), nullptr);
    converter.UnpackPixels();
    EXPECT_EQ(converter.Width(), source->nWidth);
    EXPECT_EQ(converter.Height(), source->nHeight);
    EXPECT_EQ(converter.BytesPerPixel(), 4u);
    std::vector<Pixel> pixels(uint64_t(source->nWidth) * source->nHeight);
    for (size_t i = 0; i < pixels.size(); ++i) {
        for (size_t c = 0; c < 4; ++c) {
            pixels[i][c] = converter.Buffer()[4 * i + c];
        }
    }
    return pixels;
}

struct UnpackCase {
    const char* name;
    uint32_t format;
    std::vector<uint8_t> bytes;  // one pixel as stored
    Pixel pixel;
};

void PrintTo(const UnpackCase& c, std::ostream* os) { *os << c.name; }

class UnpackOnePixel : public testing::TestWithParam<UnpackCase> {};

TEST_P(UnpackOnePixel, ReadsItThroughTheMasks) {
    TestImage source(1, 1, GetParam().format, GetParam().bytes);
    EXPECT_EQ(Unpack(source), std::vector<Pixel>{GetParam().pixel});
}

INSTANTIATE_TEST_SUITE_P(
    UnpackPixels, UnpackOnePixel,
    testing::Values(
        UnpackCase{"RGB565Red", RGB565, {0x00, 0xF8}, {255, 0, 0, 255}},
        UnpackCase{"RGB565Green", RGB565, {0xE0, 0x07}, {0, 255, 0, 255}},
        UnpackCase{"RGB565FiveBitMiddle", RGB565, {0x00, 0x80}, {132, 0, 0, 255}},
        UnpackCase{"RGBA5551AlphaOnly", RGBA5551, {0x01, 0x00}, {0, 0, 0, 255}},
        UnpackCase{"RGBA5551WhiteTransparent", RGBA5551, {0xFE, 0xFF}, {255, 255, 255, 0}},
        UnpackCase{"RGBA4444", RGBA4444, {0x3F, 0x12}, {0x11, 0x22, 0x33, 0xFF}},
        UnpackCase{"LA88", LA88, {0x80, 0x40}, {64, 64, 64, 128}},
        UnpackCase{"A8", A8, {0x7F}, {0, 0, 0, 127}},
        UnpackCase{"L8", L8, {0x7F}, {127, 127, 127, 255}},
        UnpackCase{"RGB888", RGB888, {1, 2, 3}, {1, 2, 3, 255}},
        UnpackCase{"RGBA8888", RGBA8888, {1, 2, 3, 4}, {1, 2, 3, 4}},
        UnpackCase{"BGRA8888", BGRA8888, {1, 2, 3, 4}, {3, 2, 1, 4}},
        // Channels wider than 8 bits give their top 8 bits.
        UnpackCase{"L16TopByte", L16, {0xCD, 0xAB}, {0xAB, 0xAB, 0xAB, 255}},
        UnpackCase{"L24TopByte", L24, {0x56, 0x34, 0x12}, {0x12, 0x12, 0x12, 255}},
        UnpackCase{"L24A8TopByte", L24A8, {0x56, 0x34, 0x12, 0x80}, {0x12, 0x12, 0x12, 0x80}},
        UnpackCase{"L32TopByte", L32, {0xEF, 0xBE, 0xAD, 0xDE}, {0xDE, 0xDE, 0xDE, 255}}),
    [](const testing::TestParamInfo<UnpackCase>& info) { return info.param.name; });

TEST(UnpackPixels, CopiesAnRGBA8888ImageByteForByte) {
    std::vector<uint8_t> bytes(3 * 2 * 4);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = uint8_t(i * 37 + 5);
    }
    TestImage source(3, 2, RGBA8888, bytes);
    MorluneStages converter(source.get(), nullptr);
    converter.UnpackPixels();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), converter.Buffer()));
}

TEST(UnpackPixels, FollowsMaskOverrides) {
    TestImage source(1, 1, RGBA8888, {1, 2, 3, 4});
    source.layout.nRedMask = 0x0000FF00;
    source.layout.nAlphaMask = 0x000000FF;
    EXPECT_EQ(Unpack(source), (std::vector<Pixel>{Pixel{2, 2, 3, 1}}));
}

TEST(UnpackPixels, StartsEachRowAtThePitch) {
    // 2 x 2 RGB888 with 2 bytes of padding after each 6-byte row.
    TestImage source(2, 2, RGB888, {1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE});
    source.layout.nPitch = 8;
    const std::vector<Pixel> expected{
        {1, 2, 3, 255}, {4, 5, 6, 255}, {7, 8, 9, 255}, {10, 11, 12, 255}};
    EXPECT_EQ(Unpack(source), expected);
}

TEST(UnpackPixels, RejectsTwoThreeAndSevenBitMasksSilently) {
    for (const uint32_t mask : {0x0003u, 0x0007u, 0x007Fu}) {
        TestImage source(1, 1, RGB565, {0xFF, 0xFF});
        source.layout.nGreenMask = mask;
        TestImage destination(1, 1, RGBA8888, std::vector<uint8_t>(4));
        const ConvertResult result = ConvertCapturing(source.get(), destination.get());
        EXPECT_EQ(result.code, TRC_FAILED) << mask;
        EXPECT_EQ(result.messages, "") << mask;
    }
}

// 16 palette entries of RGB565, entry i = i * 0x0841 (grey steps), then the
// indices.
std::vector<uint8_t> Pal4Rgb565(const std::vector<uint8_t>& indices) {
    std::vector<uint8_t> bytes(16 * 2);
    for (uint32_t i = 0; i < 16; ++i) {
        const uint32_t entry = i == 1 ? 0xF800 : i == 2 ? 0x07E0 : i == 3 ? 0x001F : i * 0x0841;
        StoreLittleEndian16(&bytes[2 * i], uint16_t(entry));
    }
    bytes.insert(bytes.end(), indices.begin(), indices.end());
    return bytes;
}

TEST(UnpackPixels, ReadsFourBitIndicesLowNibbleFirst) {
    TestImage source(2, 1, PAL4_RGB565, Pal4Rgb565({0x21}));
    const std::vector<Pixel> expected{{255, 0, 0, 255}, {0, 255, 0, 255}};
    EXPECT_EQ(Unpack(source), expected);
}

TEST(UnpackPixels, ReadsIndicesWithoutRowPadding) {
    // 3 x 2: six 4-bit indices 1, 2, 3, 3, 2, 1 in three bytes; row 1
    // starts in the high nibble of byte 1.
    TestImage source(3, 2, PAL4_RGB565, Pal4Rgb565({0x21, 0x33, 0x12}));
    const Pixel red{255, 0, 0, 255};
    const Pixel green{0, 255, 0, 255};
    const Pixel blue{0, 0, 255, 255};
    const std::vector<Pixel> expected{red, green, blue, blue, green, red};
    EXPECT_EQ(Unpack(source), expected);
}

TEST(UnpackPixels, ReadsOneBitIndicesAcrossRows) {
    // 3 x 3 PAL1_RGBA8888: entry 0 black transparent, entry 1 white opaque;
    // indices 1,0,0 / 1,1,0 / 1,0,1 are bits 0..8.
    std::vector<uint8_t> bytes{0, 0, 0, 0, 255, 255, 255, 255, 0b01011001, 0b1};
    TestImage source(3, 3, PAL1_RGBA8888, bytes);
    const Pixel o{0, 0, 0, 0};
    const Pixel w{255, 255, 255, 255};
    const std::vector<Pixel> expected{w, o, o, w, w, o, w, o, w};
    EXPECT_EQ(Unpack(source), expected);
}

TEST(UnpackPixels, ReadsEightBitIndicesIntoWidePalettes) {
    std::vector<uint8_t> bytes(256 * 3);
    bytes[3 * 200 + 0] = 10;
    bytes[3 * 200 + 1] = 20;
    bytes[3 * 200 + 2] = 30;
    bytes.push_back(200);
    bytes.push_back(0);
    TestImage source(1, 2, PAL8_RGB888, bytes);
    const std::vector<Pixel> expected{{10, 20, 30, 255}, {0, 0, 0, 255}};
    EXPECT_EQ(Unpack(source), expected);
}

}  // namespace
