// QuendaEncode: its checks in their order, sizes, edge blocks, narrow pixels
// and the stored layout each format encodes to.
#include <gtest/gtest.h>

#include <vector>

#include "etc1_codec.h"
#include "quenda.h"
#include "single_channel_codec.h"
#include "test_pixels.h"

namespace {

constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlue = 0x00FF0000;
constexpr uint32_t kAlpha = 0xFF000000;

int32_t EncodeRgba(const RgbaImage& image, uint32_t flags, uint32_t format,
                   std::vector<uint8_t>* out, uint32_t capacity) {
    out->assign(capacity, 0xCD);
    uint32_t size = capacity;
    const int32_t result =
        QuendaEncode(image.rgba.data(), kRed, kGreen, kBlue, kAlpha, image.width, image.height,
                     image.width * 4, flags, format, out->data(), &size);
    if (result == RESULT_OK) {
        out->resize(size);
    }
    return result;
}

TEST(QuendaEncode, FlagConflictIsCheckedFirstAndLeavesSizeAlone) {
    const RgbaImage image = StructuredImage(4, 4, 1);
    for (uint32_t format : {FORMAT_ETC1_RGB8, 0x12345678u}) {
        uint8_t output[16] = {};
        uint32_t size = 16;
        EXPECT_EQ(QuendaEncode(image.rgba.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16, 0x03,
                               format, output, &size),
                  RESULT_FLAGS_CONFLICT);
        EXPECT_EQ(size, 16u);
    }
}

TEST(QuendaEncode, UnknownFormatComesBeforeTheOutputSize) {
    const RgbaImage image = StructuredImage(4, 4, 1);
    uint32_t size = 0;
    EXPECT_EQ(QuendaEncode(image.rgba.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16, 0, 0xCCC40001,
                           nullptr, &size),
              RESULT_UNKNOWN_FORMAT);
    EXPECT_EQ(size, 0u);
}

TEST(QuendaEncode, TooSmallOutputIsNotWritten) {
    const RgbaImage image = StructuredImage(5, 3, 2);
    std::vector<uint8_t> out;
    EXPECT_EQ(EncodeRgba(image, 0x01, FORMAT_ETC1_RGB8, &out, 15), RESULT_BUFFER_TOO_SMALL);
    EXPECT_EQ(out, std::vector<uint8_t>(15, 0xCD));
}

TEST(QuendaEncode, LargerOutputReportsTheExactSize) {
    struct Case {
        uint32_t format;
        uint32_t flags;
        int width;
        int height;
        uint32_t bytes;
    };
    const Case cases[] = {
        {FORMAT_ETC1_RGB8, 0x01, 1, 1, 8}, {FORMAT_ETC1_RGB8, 0x01, 5, 3, 16},
        {FORMAT_3DC_X, 0, 1, 1, 8},        {FORMAT_3DC_XY, 0, 1, 1, 16},
        {FORMAT_3DC_XY, 0, 9, 5, 96},      {FORMAT_ATC, 0, 5, 3, 16},
        {FORMAT_ATC, 0x12, 5, 3, 32},      {FORMAT_ATC, FLAG_ALPHA, 4, 4, 16},
    };
    for (const Case& c : cases) {
        const RgbaImage image = StructuredImage(c.width, c.height, 3);
        std::vector<uint8_t> out;
        ASSERT_EQ(EncodeRgba(image, c.flags, c.format, &out, 1000), RESULT_OK);
        EXPECT_EQ(out.size(), c.bytes)
            << std::hex << c.format << std::dec << " " << c.width << "x" << c.height;
    }
}

TEST(QuendaEncode, EdgeBlocksRepeatTheLastColumnAndRow) {
    const RgbaImage image = StructuredImage(5, 3, 4);
    std::vector<uint8_t> out;
    ASSERT_EQ(EncodeRgba(image, 0x01, FORMAT_ETC1_RGB8, &out, 16), RESULT_OK);
    for (int block = 0; block < 2; ++block) {
        ColourBlock expected = ImageBlock(image, 4 * block, 0);
        if (block == 1) {
            // Column 4 fills the whole second block; row 2 repeats into row 3.
            for (int i = 0; i < 16; ++i) {
                const uint8_t* pixel = &image.rgba[(std::min(i / 4, 2) * 5 + 4) * 4];
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(expected.texel[i][c], pixel[c]);
                }
            }
        }
        const Etc1Words words = Etc1EncodeBlock(expected);
        const uint8_t* stored = &out[8 * block];
        EXPECT_EQ(
            static_cast<uint32_t>(stored[0]) << 24 | stored[1] << 16 | stored[2] << 8 | stored[3],
            words.word1);
        EXPECT_EQ(
            static_cast<uint32_t>(stored[4]) << 24 | stored[5] << 16 | stored[6] << 8 | stored[7],
            words.word2);
    }
}

TEST(QuendaEncode, EmptyAndNegativeImages) {
    uint8_t output[8] = {};
    uint32_t size = 8;
    EXPECT_EQ(
        QuendaEncode(nullptr, kRed, kGreen, kBlue, kAlpha, 0, 5, 0, 0, FORMAT_3DC_X, output, &size),
        RESULT_OK);
    EXPECT_EQ(size, 0u);
    size = 8;
    EXPECT_EQ(QuendaEncode(output, kRed, kGreen, kBlue, kAlpha, -4, 4, 16, 0, FORMAT_3DC_X, output,
                           &size),
              RESULT_BAD_ARGUMENT);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(QuendaEncode(output, kRed, kGreen, kBlue, kAlpha, 1, 1, 4, 0, FORMAT_3DC_X, output,
                           nullptr),
              RESULT_BAD_ARGUMENT);
}

TEST(QuendaEncode, SixteenBitPixelsEncodeAsTheirWidenedBytes) {
    // 5:6:5 pixels, two bytes each, with a pitch wider than the row.
    PixelRandom random(11);
    const int width = 7;
    const int height = 6;
    const int pitch = 20;
    std::vector<uint8_t> packed(static_cast<size_t>(pitch) * height);
    RgbaImage widened;
    widened.width = width;
    widened.height = height;
    widened.rgba.resize(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t value = random.Next() & 0xFFFF;
            packed[y * pitch + 2 * x] = static_cast<uint8_t>(value);
            packed[y * pitch + 2 * x + 1] = static_cast<uint8_t>(value >> 8);
            const uint32_t r = value >> 11;
            const uint32_t g = (value >> 5) & 63;
            const uint32_t b = value & 31;
            uint8_t* pixel = &widened.rgba[(static_cast<size_t>(y) * width + x) * 4];
            pixel[0] = static_cast<uint8_t>(r << 3 | r >> 2);
            pixel[1] = static_cast<uint8_t>(g << 2 | g >> 4);
            pixel[2] = static_cast<uint8_t>(b << 3 | b >> 2);
            pixel[3] = 255;
        }
    }
    for (uint32_t format : {FORMAT_ETC1_RGB8, FORMAT_3DC_XY}) {
        std::vector<uint8_t> expected;
        ASSERT_EQ(EncodeRgba(widened, 0, format, &expected, 1000), RESULT_OK);
        std::vector<uint8_t> actual(expected.size());
        uint32_t size = static_cast<uint32_t>(actual.size());
        ASSERT_EQ(QuendaEncode(packed.data(), 0xF800, 0x07E0, 0x001F, 0, width, height, pitch, 0,
                               format, actual.data(), &size),
                  RESULT_OK);
        EXPECT_EQ(actual, expected);
    }
}

TEST(QuendaEncode, ThreeDcXYStoresTheGreenBlockFirst) {
    const RgbaImage image = StructuredImage(4, 4, 5);
    std::vector<uint8_t> out;
    ASSERT_EQ(EncodeRgba(image, 0, FORMAT_3DC_XY, &out, 16), RESULT_OK);
    uint8_t red[16];
    uint8_t green[16];
    for (int i = 0; i < 16; ++i) {
        red[i] = image.rgba[4 * i];
        green[i] = image.rgba[4 * i + 1];
    }
    uint8_t expected[16];
    SingleChannelEncodeBlock(green, expected);
    SingleChannelEncodeBlock(red, expected + 8);
    EXPECT_EQ(out, std::vector<uint8_t>(expected, expected + 16));

    std::vector<uint8_t> x;
    ASSERT_EQ(EncodeRgba(image, 0, FORMAT_3DC_X, &x, 8), RESULT_OK);
    EXPECT_EQ(x, std::vector<uint8_t>(expected + 8, expected + 16));
}

}  // namespace
