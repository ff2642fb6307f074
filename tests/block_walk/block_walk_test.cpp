// The block walk: how masks widen a pixel's bits, the gather for the
// engine's RGBA8888 pixels against the general one that reads every pixel
// through the masks, and the explicit-alpha nibbles that ATC takes from the
// gathered alpha.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "block_walk.h"
#include "test_pixels.h"

namespace {

SourceImage ImageOf(const std::vector<uint8_t>& bytes, int64_t width, int64_t height, int64_t pitch,
                    uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask) {
    SourceImage image = DescribeSource(mask0, mask1, mask2, alphaMask);
    image.pixels = bytes.data();
    image.width = width;
    image.height = height;
    image.pitch = pitch;
    return image;
}

TEST(ChannelWidening, ReplicatesBitsOfNarrowMasks) {
    struct Case {
        uint32_t mask;
        uint32_t pixel;
        uint8_t colour;
        uint8_t alpha;
    };
    const Case cases[] = {
        {0x000000FF, 0x12345678, 0x78, 0x78},
        {0x0000F800, 0x0000F800, 255, 255},  // 5 bits: (v << 3) | (v >> 2)
        {0x0000F800, 0x00008000, 0x84, 0x84},
        {0x000007E0, 0x00000420, 0x86, 0x86},  // 6 bits
        {0x0000000F, 0x00000007, 0x77, 0x77},  // 4 bits: v x 17
        {0x00000070, 0x00000050, 0xB4, 0xB4},  // 3 bits: u | (u >> 3)
        {0x00000006, 0x00000004, 0xA0, 0xA0},  // 2 bits
        {0x0000007F, 0x00000041, 0x83, 0x83},  // 7 bits
        {0x00008000, 0x00008000, 0xC0, 255},   // 1 bit: alpha is 0 or 255
        {0x00008000, 0x00000000, 0x00, 0},
        {0x00000000, 0xFFFFFFFF, 0x00, 255},   // empty mask
        {0x000003FF, 0x000002C7, 0xB1, 0xB1},  // 10 bits: the top 8
        {0xFFFFFFFF, 0x89ABCDEF, 0x89, 0x89},
    };
    for (const Case& c : cases) {
        const ChannelMask mask = AnalyseMask(c.mask);
        EXPECT_EQ(WidenColourChannel(c.pixel, mask), c.colour) << std::hex << c.mask;
        EXPECT_EQ(WidenAlphaChannel(c.pixel, mask), c.alpha) << std::hex << c.mask;
    }
}

TEST(SourceDescription, PixelBytesAreTheMaskWidthsRoundedUp) {
    struct Case {
        uint32_t masks[4];
        uint32_t pixelBytes;
    };
    const Case cases[] = {
        {{0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 4},
        {{0xFF, 0xFF00, 0xFF0000, 0}, 3},
        {{0xF800, 0x7E0, 0x1F, 0}, 2},
        {{0xF00, 0xF0, 0xF, 0xF000}, 2},
        {{0x7C00, 0x3E0, 0x1F, 0x8000}, 2},
        {{0xE0, 0x1C, 0x3, 0}, 1},
        {{0, 0, 0, 0}, 0},
        {{0xFFFFFFFF, 0xFFFF, 0, 0}, 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeSource(c.masks[0], c.masks[1], c.masks[2], c.masks[3]).pixelBytes,
                  c.pixelBytes)
            << std::hex << c.masks[0] << " " << c.masks[3];
    }
}

// ATC's explicit alpha block keeps the upper four bits of each gathered
// alpha byte. For each alpha mask width the ATC encoders accept, that is
// exactly the nibble they have always stored: 15 without alpha, 15 or 0 for
// one bit, the value itself for four bits, its upper half for eight.
TEST(ExplicitAlphaNibbles, UpperHalfOfTheGatheredAlphaForEveryAcceptedWidth) {
    struct Width {
        uint32_t mask;
        uint32_t bits;
    };
    const Width widths[] = {{0, 0}, {0x00008000, 1}, {0x0000F000, 4}, {0xFF000000, 8}};
    for (const Width& w : widths) {
        const ChannelMask mask = AnalyseMask(w.mask);
        for (uint32_t value = 0; value < (1u << w.bits); ++value) {
            const uint32_t pixel = w.bits == 0 ? 0x12345678 : value << mask.shift;
            const uint32_t nibble = w.bits == 0   ? 15
                                    : w.bits == 1 ? (value == 1 ? 15 : 0)
                                    : w.bits == 4 ? value
                                                  : value >> 4;
            EXPECT_EQ(WidenAlphaChannel(pixel, mask) >> 4, nibble)
                << w.bits << " bits, value " << value;
        }
    }
}

TEST(BlockGather, Rgba8888GatherMatchesTheMaskedGatherOnEveryBlock) {
    struct Shape {
        int64_t width, height, padding;  // padding: bytes after each row
    };
    const Shape shapes[] = {{1, 1, 0},   {3, 5, 0},  {5, 3, 1},  {4, 4, 0},
                            {37, 29, 3}, {1, 64, 2}, {64, 1, 0}, {8, 9, 4}};
    PixelRandom random(16);
    for (const Shape& shape : shapes) {
        const int64_t pitch = shape.width * 4 + shape.padding;
        std::vector<uint8_t> bytes(static_cast<size_t>(pitch * shape.height));
        for (uint8_t& byte : bytes) {
            byte = random.Byte();
        }
        const SourceImage image =
            ImageOf(bytes, shape.width, shape.height, pitch, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
        ASSERT_TRUE(IsRgba8888(image));
        for (int64_t by = 0; by < shape.height; by += 4) {
            for (int64_t bx = 0; bx < shape.width; bx += 4) {
                ColourBlock fastColour, colour;
                AlphaBlock fastAlpha, alpha;
                std::memset(&fastColour, 0x5A, sizeof(fastColour));
                std::memset(&colour, 0xA5, sizeof(colour));
                GatherRgba8888Block(image, bx, by, &fastColour, &fastAlpha);
                GatherBlock(image, bx, by, &colour, &alpha);
                ASSERT_EQ(std::memcmp(&fastColour, &colour, sizeof(colour)), 0)
                    << shape.width << "x" << shape.height << " block " << bx << "," << by;
                ASSERT_EQ(std::memcmp(&fastAlpha, &alpha, sizeof(alpha)), 0)
                    << shape.width << "x" << shape.height << " block " << bx << "," << by;
                // Without an alpha block only the colours are gathered.
                GatherRgba8888Block(image, bx, by, &fastColour, nullptr);
                ASSERT_EQ(std::memcmp(&fastColour, &colour, sizeof(colour)), 0);
            }
        }
    }
}

TEST(BlockGather, EdgePixelsRepeatTheLastColumnAndRow) {
    // A 5 x 3 image of 2-byte pixels whose value is 16 y + x, in channel 0.
    const int64_t width = 5;
    const int64_t height = 3;
    const int64_t pitch = 2 * width + 2;
    std::vector<uint8_t> bytes(static_cast<size_t>(pitch * height), 0xEE);
    for (int64_t y = 0; y < height; ++y) {
        for (int64_t x = 0; x < width; ++x) {
            bytes[static_cast<size_t>(y * pitch + 2 * x)] = static_cast<uint8_t>(16 * y + x);
            bytes[static_cast<size_t>(y * pitch + 2 * x + 1)] = 0;
        }
    }
    const SourceImage image = ImageOf(bytes, width, height, pitch, 0xFF, 0, 0, 0xFF00);
    ColourBlock colour;
    AlphaBlock alpha;
    GatherBlock(image, 4, 0, &colour, &alpha);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int expected = 16 * std::min(y, 2) + 4;
            EXPECT_EQ(colour.texel[4 * y + x][0], expected) << x << "," << y;
            EXPECT_EQ(colour.texel[4 * y + x][1], 0);
            EXPECT_EQ(alpha.alpha[4 * y + x], 0);
        }
    }
}

TEST(BlockGather, OnlyTheEngineLayoutTakesTheRgba8888Gather) {
    struct LayoutCase {
        uint32_t masks[4];
        bool rgba8888;
    };
    const LayoutCase cases[] = {
        {{0xFF, 0xFF00, 0xFF0000, 0xFF000000}, true},
        {{0xFF0000, 0xFF00, 0xFF, 0xFF000000}, false},  // blue first
        {{0xFF, 0xFF00, 0xFF0000, 0}, false},           // 3-byte pixels
        {{0xFF00, 0xFF0000, 0xFF000000, 0xFF}, false},
        {{0xF800, 0x7E0, 0x1F, 0}, false},
        {{0xFF, 0xFF00, 0xFF0000, 0xF0000000}, false},
        {{0xFF, 0xFF00, 0xFF0000, 0x0F000000}, false},
    };
    const std::vector<uint8_t> bytes(64);
    for (const LayoutCase& c : cases) {
        const SourceImage image =
            ImageOf(bytes, 4, 4, 16, c.masks[0], c.masks[1], c.masks[2], c.masks[3]);
        EXPECT_EQ(IsRgba8888(image), c.rgba8888) << std::hex << c.masks[0] << " " << c.masks[3];
    }
}

}  // namespace
