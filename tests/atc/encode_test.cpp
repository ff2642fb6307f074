// Both image encoders: stored bytes, edges, alpha by mask width, checks in
// their order, sizes and images without blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

constexpr uint32_t kUntouched = 0xDEADBEEF;

using EncodeFunction = int32_t (*)(const uint8_t*, uint32_t, uint32_t, uint32_t, uint32_t, int32_t,
                                   int32_t, int32_t, uint32_t, uint32_t, ATI_TC_Header*, uint8_t*,
                                   uint32_t*);

struct NamedEncoder {
    const char* name;
    EncodeFunction encode;
};

const NamedEncoder kEncoders[] = {{"exhaustive", ATI_TC_Encode}, {"quick", ATI_TC_EncodeFast}};

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
    std::vector<uint8_t> bytes(count);
    for (uint8_t& byte : bytes) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<uint8_t>(seed >> 24);
    }
    return bytes;
}

TEST(AtiTcEncode, StoredBytesOfTheGreyRamp) {
    const std::vector<uint8_t> image = ImageOfBlocks({GreyRampBlock()});
    const uint8_t expected[8] = {0x63, 0x0C, 0x3C, 0xE7, 0x00, 0x55, 0xAA, 0xFF};
    for (const NamedEncoder& encoder : kEncoders) {
        uint8_t output[8] = {};
        uint32_t size = sizeof output;
        ATI_TC_Header header{};
        encoder.encode(image.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16, FLAG_NO_ALPHA,
                       FORMAT_ATC, &header, output, &size);
        EXPECT_TRUE(std::equal(output, output + 8, expected)) << encoder.name;
        EXPECT_EQ(size, 8u) << encoder.name;
        EXPECT_EQ(header.format, FORMAT_ATC);
        EXPECT_EQ(header.width, 4u);
        EXPECT_EQ(header.height, 4u);
        EXPECT_EQ(header.flags, FLAG_NO_ALPHA);
        EXPECT_EQ(header.headerSize, 20u);
    }
}

// 3-byte pixels in rows padded to 20 bytes; the buffer ends right behind
// the last pixel, so a read past it would not go unnoticed.
TEST(AtiTcEncode, BlocksOverTheEdgeRepeatTheLastColumnAndRow) {
    const int width = 6;
    const int height = 6;
    const int pitch = 20;
    const std::vector<uint8_t> image = RandomBytes(pitch * (height - 1) + width * 3, 7);
    for (const NamedEncoder& encoder : kEncoders) {
        SCOPED_TRACE(encoder.name);
        uint32_t size = 0;
        ATI_TC_Header header{};
        ASSERT_EQ(encoder.encode(image.data(), kRed, kGreen, kBlue, 0, width, height, pitch,
                                 FLAG_ALPHA, FORMAT_ATC, &header, nullptr, &size),
                  RESULT_OK);
        ASSERT_EQ(size, 4u * 16);
        std::vector<uint8_t> output(size);
        int32_t result = encoder.encode(image.data(), kRed, kGreen, kBlue, 0, width, height, pitch,
                                        FLAG_ALPHA, FORMAT_ATC, &header, output.data(), &size);
        ASSERT_TRUE(result == RESULT_OK || result == RESULT_LOW_QUALITY);
        for (int block = 0; block < 4; ++block) {
            const int bx = 4 * (block % 2);
            const int by = 4 * (block / 2);
            ColourBlock texels{};
            for (int t = 0; t < 16; ++t) {
                const int x = std::min(bx + t % 4, width - 1);
                const int y = std::min(by + t / 4, height - 1);
                std::copy_n(&image[y * pitch + x * 3], 3, texels.texel[t]);
            }
            const uint8_t* stored = &output[16 * block];
            for (int i = 0; i < 8; ++i) {
                EXPECT_EQ(stored[i], 0xFF) << "no alpha mask gives nibble 15";
            }
            uint16_t colour0 = 0;
            uint16_t colour1 = 0;
            int32_t grade = 0;
            uint32_t indexWord =
                encoder.encode == ATI_TC_Encode
                    ? EncodeColourBlock(texels, FORMAT_ATC, &colour0, &colour1)
                    : EncodeColourBlockQuick(texels, FORMAT_ATC, &colour0, &colour1, &grade);
            StoredColourBlock colour = ReadColourBlock(stored + 8);
            EXPECT_EQ(colour.colour0, colour0) << block;
            EXPECT_EQ(colour.colour1, colour1) << block;
            EXPECT_EQ(colour.indexWord, indexWord) << block;
        }
    }
}

TEST(AtiTcEncode, OnePixelFillsAWholeBlock) {
    const uint8_t pixel[4] = {200, 100, 50, 255};
    for (const NamedEncoder& encoder : kEncoders) {
        for (uint32_t flags : {FLAG_NO_ALPHA, FLAG_ALPHA}) {
            uint32_t size = 0;
            ATI_TC_Header header{};
            ASSERT_EQ(encoder.encode(pixel, kRed, kGreen, kBlue, kAlpha, 1, 1, 4, flags, FORMAT_ATC,
                                     &header, nullptr, &size),
                      RESULT_OK);
            ASSERT_EQ(size, flags == FLAG_ALPHA ? 16u : 8u);
            std::vector<uint8_t> output(size);
            EXPECT_EQ(encoder.encode(pixel, kRed, kGreen, kBlue, kAlpha, 1, 1, 4, flags, FORMAT_ATC,
                                     &header, output.data(), &size),
                      RESULT_OK)
                << encoder.name;
            StoredColourBlock colour = ReadColourBlock(&output[size - 8]);
            EXPECT_EQ(colour.colour0, 0x0000) << encoder.name;
            EXPECT_EQ(colour.colour1, 0xC326) << encoder.name;
            EXPECT_EQ(colour.indexWord, 0xFFFFFFFFu) << encoder.name;
        }
    }
}

// One pixel's alpha under each supported mask width.
TEST(AtiTcEncode, AlphaNibblesByMaskWidth) {
    const struct {
        uint32_t pixel;
        uint32_t alphaMask;
        uint8_t nibble;
    } cases[] = {
        {0x7F000000, kAlpha, 7},     {0xFF000000, kAlpha, 15},    {0x0F000000, kAlpha, 0},
        {0x00000000, 0, 15},         {0x09000000, 0x0F000000, 9}, {0x01000000, 0x01000000, 15},
        {0x00000000, 0x01000000, 0},
    };
    for (const auto& c : cases) {
        const uint8_t pixel[4] = {0, 0, 0, static_cast<uint8_t>(c.pixel >> 24)};
        uint8_t output[16];
        uint32_t size = sizeof output;
        ATI_TC_Header header{};
        ASSERT_EQ(ATI_TC_Encode(pixel, kRed, kGreen, kBlue, c.alphaMask, 1, 1, 4, FLAG_ALPHA,
                                FORMAT_ATC, &header, output, &size),
                  RESULT_OK);
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(output[i], c.nibble * 17) << std::hex << c.pixel << " " << c.alphaMask;
        }
    }
}

// 5:6:5 pixels in two bytes: channels widen by repeating their top bits.
TEST(AtiTcEncode, NarrowChannelsWidenToBytes) {
    // Channel 0 = 31, channel 1 = 0, channel 2 = 16: (255, 0, 132).
    const uint16_t value = 0xF810;
    const uint8_t pixel[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    for (const NamedEncoder& encoder : kEncoders) {
        uint8_t output[8];
        uint32_t size = sizeof output;
        ATI_TC_Header header{};
        ASSERT_EQ(encoder.encode(pixel, 0xF800, 0x07E0, 0x001F, 0, 1, 1, 2, 0, FORMAT_ATC, &header,
                                 output, &size),
                  RESULT_OK);
        EXPECT_EQ(ReadColourBlock(output).colour1, Encode565({{255, 0, 132}})) << encoder.name;
    }
}

TEST(AtiTcEncode, ChecksRunInOrderAndLeaveEverythingUntouched) {
    const uint8_t pixels[64] = {};
    const struct {
        const char* name;
        uint32_t alphaMask;
        uint32_t mask0;
        uint32_t flags;
        uint32_t format;
        uint32_t capacity;
        int32_t result;
    } cases[] = {
        {"both alpha flags", 0x1F, 0xFFF, 3, 0x1234, 0, RESULT_FLAGS_CONFLICT},
        {"unknown format", 0x1F, 0xFFF, FLAG_ALPHA, FORMAT_3DC_XY, 0, RESULT_UNKNOWN_FORMAT},
        {"five-bit alpha", 0x1F000000, kRed, FLAG_ALPHA, FORMAT_ATC, 64, RESULT_UNSUPPORTED_LAYOUT},
        {"two-bit alpha", 0x03000000, kRed, 0, FORMAT_ATC, 64, RESULT_UNSUPPORTED_LAYOUT},
        {"nine-bit channel", kAlpha, 0x1FF, 0, FORMAT_ATC, 64, RESULT_UNSUPPORTED_LAYOUT},
        {"one byte short", kAlpha, kRed, FLAG_ALPHA, FORMAT_ATC, 15, RESULT_BUFFER_TOO_SMALL},
        {"no room at all", kAlpha, kRed, 0, FORMAT_ATC_ORDER_MODE, 0, RESULT_BUFFER_TOO_SMALL},
    };
    for (const NamedEncoder& encoder : kEncoders) {
        for (const auto& c : cases) {
            uint8_t output[16];
            std::fill(std::begin(output), std::end(output), 0xCC);
            uint32_t size = c.capacity;
            ATI_TC_Header header{1, 2, 3, 4, 5};
            EXPECT_EQ(encoder.encode(pixels, c.mask0, kGreen, kBlue, c.alphaMask, 4, 4, 16, c.flags,
                                     c.format, &header, output, &size),
                      c.result)
                << encoder.name << ": " << c.name;
            EXPECT_EQ(size, c.capacity) << c.name;
            EXPECT_EQ(header.format, 1u) << c.name;
            EXPECT_EQ(header.headerSize, 5u) << c.name;
            for (uint8_t byte : output) {
                ASSERT_EQ(byte, 0xCC) << c.name;
            }
        }
    }
}

TEST(AtiTcEncode, SizeQueryAndRoomToSpare) {
    const std::vector<uint8_t> image = ImageOfBlocks({FlatBlock(200, 100, 50)});
    for (const NamedEncoder& encoder : kEncoders) {
        for (uint32_t format : {FORMAT_ATC, FORMAT_ATC_ORDER_MODE}) {
            ATI_TC_Header header{1, 2, 3, 4, 5};
            uint32_t size = kUntouched;
            ASSERT_EQ(encoder.encode(image.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16,
                                     FLAG_ALPHA, format, &header, nullptr, &size),
                      RESULT_OK);
            EXPECT_EQ(size, 16u);
            EXPECT_EQ(header.format, 1u) << "a size query fills no header";
            uint8_t output[32];
            size = sizeof output;
            ASSERT_EQ(encoder.encode(image.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16,
                                     FLAG_ALPHA, format, &header, output, &size),
                      RESULT_OK);
            EXPECT_EQ(size, 32u) << "the size is written only for a query";
            EXPECT_EQ(header.format, format);
            EXPECT_EQ(header.flags, FLAG_ALPHA);
        }
    }
}

// No blocks: nothing is read (the source is null) and nothing is written.
TEST(AtiTcEncode, ImagesWithoutBlocks) {
    const struct {
        int32_t width;
        int32_t height;
    } cases[] = {{0, 4}, {4, 0}, {-3, 4}, {-4, 4}, {-5, -5}, {INT_MIN, INT_MIN}, {7, -100}};
    for (const NamedEncoder& encoder : kEncoders) {
        for (const auto& c : cases) {
            uint32_t size = kUntouched;
            ATI_TC_Header header{};
            ASSERT_EQ(encoder.encode(nullptr, kRed, kGreen, kBlue, kAlpha, c.width, c.height, 16,
                                     FLAG_ALPHA, FORMAT_ATC, &header, nullptr, &size),
                      RESULT_OK);
            EXPECT_EQ(size, 0u) << c.width << "x" << c.height;
            uint8_t output[1] = {0xCC};
            size = 0;
            EXPECT_EQ(encoder.encode(nullptr, kRed, kGreen, kBlue, kAlpha, c.width, c.height, 16,
                                     FLAG_ALPHA, FORMAT_ATC, &header, output, &size),
                      RESULT_OK)
                << encoder.name << " " << c.width << "x" << c.height;
            EXPECT_EQ(output[0], 0xCC);
        }
    }
}

// A size that does not fit 32 bits cannot be met by any buffer.
TEST(AtiTcEncode, OversizedImage) {
    for (const NamedEncoder& encoder : kEncoders) {
        uint32_t size = kUntouched;
        ATI_TC_Header header{};
        EXPECT_EQ(encoder.encode(nullptr, kRed, kGreen, kBlue, kAlpha, INT_MAX, INT_MAX, 0,
                                 FLAG_ALPHA, FORMAT_ATC, &header, nullptr, &size),
                  RESULT_BUFFER_TOO_SMALL);
        EXPECT_EQ(size, kUntouched);
    }
}

TEST(AtiTcEncode, OrderModeBlocks) {
    const std::vector<uint8_t> image = ImageOfBlocks({GreyRampBlock(), BlackRedBlueWhiteBlock()});
    uint8_t output[16];
    uint32_t size = sizeof output;
    ATI_TC_Header header{};
    ASSERT_EQ(ATI_TC_Encode(image.data(), kRed, kGreen, kBlue, kAlpha, 8, 4, 32, FLAG_NO_ALPHA,
                            FORMAT_ATC_ORDER_MODE, &header, output, &size),
              RESULT_OK);
    StoredColourBlock ramp = ReadColourBlock(output);
    StoredColourBlock rows = ReadColourBlock(output + 8);
    EXPECT_EQ(ramp.colour0, 0x18C3);
    EXPECT_EQ(ramp.colour1, 0xE73C);
    EXPECT_EQ(ramp.indexWord, 0xFFAA5500u);
    EXPECT_EQ(rows.colour0, 0xFBEF);
    EXPECT_EQ(rows.colour1, 0x001F);
    EXPECT_EQ(rows.indexWord, 0xFFAAFF00u);
}

}  // namespace
