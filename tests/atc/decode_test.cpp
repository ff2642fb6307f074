// ATI_TC_Decode: its checks, sizes, channel orders and decoded pixels.
#include <gtest/gtest.h>

#include <vector>

#include "atc.h"

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEF;

// Colour 0 0x7C00 (red), colour 1 0x001F (blue), rows of index word
// 0xE4E4E4E4: every row reads red, (159, 0, 95), (95, 0, 159), blue.
const uint8_t kRedBlueRows[8] = {0x00, 0x7C, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4};
const uint8_t kRowColours[4][3] = {{255, 0, 0}, {159, 0, 95}, {95, 0, 159}, {0, 0, 255}};
const uint8_t kAlphaRamp[8] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};

ATI_TC_Header Header(uint32_t format, uint32_t width, uint32_t height, uint32_t flags) {
    return {format, width, height, flags, 20};
}

TEST(AtiTcDecode, StoredBytesOfTheWorkedBlock) {
    // 63 0C 3C E7 00 55 AA FF: colour 0 0x0C63, colour 1 0xE73C, rows 0..3
    // in classes 0..3.
    const uint8_t data[8] = {0x63, 0x0C, 0x3C, 0xE7, 0x00, 0x55, 0xAA, 0xFF};
    ATI_TC_Header header = Header(FORMAT_ATC, 4, 4, FLAG_NO_ALPHA);
    uint8_t output[48];
    uint32_t size = sizeof output;
    ASSERT_EQ(ATI_TC_Decode(&header, data, ORDER_RGB, output, &size), RESULT_OK);
    // Colour 0 (24, 24, 24), colour 1 (231, 231, 231).
    const int rowGrey[4] = {24, (5 * 24 + 3 * 231) >> 3, (3 * 24 + 5 * 231) >> 3, 231};
    for (int p = 0; p < 16; ++p) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(output[3 * p + k], rowGrey[p / 4]) << p;
        }
    }
}

TEST(AtiTcDecode, AlphaBlockComesFirstAndChannelOrderSwapsOnlyZeroAndTwo) {
    std::vector<uint8_t> data(kAlphaRamp, kAlphaRamp + 8);
    data.insert(data.end(), kRedBlueRows, kRedBlueRows + 8);
    ATI_TC_Header header = Header(FORMAT_ATC, 4, 4, FLAG_ALPHA);
    for (uint32_t order : {ORDER_RGB, ORDER_BGR}) {
        uint8_t output[64];
        uint32_t size = sizeof output;
        ASSERT_EQ(ATI_TC_Decode(&header, data.data(), order, output, &size), RESULT_OK);
        EXPECT_EQ(size, sizeof output);
        for (int p = 0; p < 16; ++p) {
            const uint8_t* colour = kRowColours[p % 4];
            const uint8_t* pixel = &output[4 * p];
            EXPECT_EQ(pixel[order == ORDER_RGB ? 0 : 2], colour[0]) << p;
            EXPECT_EQ(pixel[1], colour[1]) << p;
            EXPECT_EQ(pixel[order == ORDER_RGB ? 2 : 0], colour[2]) << p;
            EXPECT_EQ(pixel[3], 17 * p) << p;
        }
    }
}

TEST(AtiTcDecode, BlackModeReadsDifferInTheTwoVariants) {
    // Colour 0 0xFFFF, colour 1 0x001F, index word 0xE4E4E4E4.
    const uint8_t data[8] = {0xFF, 0xFF, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4};
    const struct {
        uint32_t format;
        uint8_t row[4][3];
    } cases[] = {
        {FORMAT_ATC_ORDER_MODE, {{0, 0, 0}, {0, 0, 192}, {0, 0, 255}, {255, 255, 255}}},
        {FORMAT_ATC, {{0, 0, 0}, {255, 255, 192}, {255, 255, 255}, {0, 0, 255}}},
    };
    for (const auto& c : cases) {
        ATI_TC_Header header = Header(c.format, 4, 1, FLAG_NO_ALPHA);
        uint8_t output[12];
        uint32_t size = sizeof output;
        ASSERT_EQ(ATI_TC_Decode(&header, data, ORDER_RGB, output, &size), RESULT_OK);
        for (int x = 0; x < 4; ++x) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(output[3 * x + k], c.row[x][k]) << std::hex << c.format << " " << x;
            }
        }
    }
}

TEST(AtiTcDecode, FiveByThreeWritesOnlyPixelsInsideTheImage) {
    std::vector<uint8_t> data;
    for (int block = 0; block < 2; ++block) {
        data.insert(data.end(), kAlphaRamp, kAlphaRamp + 8);
        data.insert(data.end(), kRedBlueRows, kRedBlueRows + 8);
    }
    ATI_TC_Header header = Header(FORMAT_ATC, 5, 3, FLAG_ALPHA);
    uint32_t size = kUntouched;
    ASSERT_EQ(ATI_TC_Decode(&header, data.data(), ORDER_RGB, nullptr, &size), RESULT_OK);
    ASSERT_EQ(size, 60u);
    std::vector<uint8_t> output(60 + 16, 0xCC);
    ASSERT_EQ(ATI_TC_Decode(&header, data.data(), ORDER_RGB, output.data(), &size), RESULT_OK);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            const uint8_t* pixel = &output[(y * 5 + x) * 4];
            const int t = 4 * y + x % 4;
            EXPECT_EQ(pixel[0], kRowColours[x % 4][0]) << x << "," << y;
            EXPECT_EQ(pixel[2], kRowColours[x % 4][2]) << x << "," << y;
            EXPECT_EQ(pixel[3], 17 * t) << x << "," << y;
        }
    }
    for (size_t i = 60; i < output.size(); ++i) {
        EXPECT_EQ(output[i], 0xCC) << i;
    }
}

TEST(AtiTcDecode, ChecksRunInOrderAndWriteNothingOnFailure) {
    const uint8_t data[16] = {};
    uint8_t output[64];
    const struct {
        uint32_t format;
        uint32_t flags;
        uint32_t order;
        uint32_t capacity;
        int32_t result;
    } cases[] = {
        {FORMAT_3DC_X, FLAG_ALPHA, 3, 0, RESULT_UNKNOWN_FORMAT},
        {FORMAT_ATC, FLAG_ALPHA, 3, 63, RESULT_BUFFER_TOO_SMALL},
        {FORMAT_ATC, FLAG_NO_ALPHA, 3, 47, RESULT_BUFFER_TOO_SMALL},
        {FORMAT_ATC, FLAG_ALPHA, 3, 64, RESULT_BAD_CHANNEL_ORDER},
        {FORMAT_ATC_ORDER_MODE, FLAG_ALPHA, 0, 64, RESULT_BAD_CHANNEL_ORDER},
    };
    for (const auto& c : cases) {
        ATI_TC_Header header = Header(c.format, 4, 4, c.flags);
        std::fill(std::begin(output), std::end(output), 0xCC);
        uint32_t size = c.capacity;
        EXPECT_EQ(ATI_TC_Decode(&header, data, c.order, output, &size), c.result);
        EXPECT_EQ(size, c.capacity);
        for (uint8_t byte : output) {
            ASSERT_EQ(byte, 0xCC);
        }
    }
}

TEST(AtiTcDecode, SizeQueryReportsPixelsTimesBytesPerPixel) {
    const uint8_t data[1] = {};
    const struct {
        uint32_t width;
        uint32_t height;
        uint32_t flags;
        uint32_t size;
    } cases[] = {
        {4, 4, FLAG_ALPHA, 64},
        {4, 4, FLAG_NO_ALPHA, 48},
        {5, 3, 0, 45},
        {0, 7, FLAG_ALPHA, 0},
    };
    for (const auto& c : cases) {
        ATI_TC_Header header = Header(FORMAT_ATC, c.width, c.height, c.flags);
        uint32_t size = kUntouched;
        EXPECT_EQ(ATI_TC_Decode(&header, data, 7, nullptr, &size), RESULT_OK);
        EXPECT_EQ(size, c.size);
    }
}

// A size that does not fit 32 bits cannot wrap round to a small one.
TEST(AtiTcDecode, OversizedImageIsTooLargeForAnyBuffer) {
    const uint8_t data[1] = {};
    uint8_t output[16];
    ATI_TC_Header header = Header(FORMAT_ATC, 0x80000000u, 2, FLAG_ALPHA);
    uint32_t size = sizeof output;
    EXPECT_EQ(ATI_TC_Decode(&header, data, ORDER_RGB, output, &size), RESULT_BUFFER_TOO_SMALL);
    size = kUntouched;
    EXPECT_EQ(ATI_TC_Decode(&header, data, ORDER_RGB, nullptr, &size), RESULT_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, kUntouched);
}

}  // namespace
