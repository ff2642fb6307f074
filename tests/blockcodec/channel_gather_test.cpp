// The gather for the engine's RGBA8888 pixels against the general one that
// reads every pixel through the masks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "channel_gather.h"
#include "test_pixels.h"

namespace {

SourceImage ImageOf(const std::vector<uint8_t>& bytes, int64_t width, int64_t height, int64_t pitch,
                    uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask) {
    SourceImage image;
    image.pixels = bytes.data();
    image.width = width;
    image.height = height;
    image.pitch = pitch;
    image.colour[0] = AnalyseMask(mask0);
    image.colour[1] = AnalyseMask(mask1);
    image.colour[2] = AnalyseMask(mask2);
    image.alpha = AnalyseMask(alphaMask);
    image.pixelBytes =
        SourcePixelBytes(image.colour[0], image.colour[1], image.colour[2], image.alpha);
    return image;
}

TEST(ChannelGather, Rgba8888GatherMatchesTheMaskedGatherOnEveryBlock) {
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

TEST(ChannelGather, OnlyTheEngineLayoutTakesTheRgba8888Gather) {
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
    };
    const std::vector<uint8_t> bytes(64);
    for (const LayoutCase& c : cases) {
        const SourceImage image =
            ImageOf(bytes, 4, 4, 16, c.masks[0], c.masks[1], c.masks[2], c.masks[3]);
        EXPECT_EQ(IsRgba8888(image), c.rgba8888) << std::hex << c.masks[0] << " " << c.masks[3];
    }
}

}  // namespace
