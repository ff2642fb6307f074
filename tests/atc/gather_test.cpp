// The gather for the engine's RGBA8888 pixels against the general one that
// reads every pixel through the masks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "image_walk.h"

namespace {

uint8_t NextByte(uint32_t* state) {
    *state = *state * 1664525u + 1013904223u;
    return static_cast<uint8_t>(*state >> 24);
}

TEST(AtcGather, Rgba8888GatherMatchesTheMaskedGatherOnEveryBlock) {
    struct Shape {
        int32_t width, height, padding;  // padding: bytes after each row
    };
    const Shape shapes[] = {{1, 1, 0},   {3, 5, 0},  {5, 3, 1}, {4, 4, 0},
                            {37, 29, 3}, {1, 64, 2}, {64, 1, 0}};
    uint32_t state = 16;
    for (const Shape& shape : shapes) {
        const int32_t pitch = shape.width * 4 + shape.padding;
        std::vector<uint8_t> bytes(static_cast<size_t>(pitch) * shape.height);
        for (uint8_t& byte : bytes) {
            byte = NextByte(&state);
        }
        for (uint32_t flags : {FLAG_NO_ALPHA, FLAG_ALPHA}) {
            const EncodeRequest request{
                bytes.data(), describeSource(0xFF, 0xFF00, 0xFF0000, 0xFF000000),
                shape.width,  shape.height,
                pitch,        flags,
                FORMAT_ATC};
            ASSERT_TRUE(isRgba8888(request.layout));
            for (int64_t by = 0; by < shape.height; by += 4) {
                for (int64_t bx = 0; bx < shape.width; bx += 4) {
                    ColourBlock fastTexels, texels;
                    uint8_t fastNibbles[16], nibbles[16];
                    std::memset(&fastTexels, 0x5A, sizeof(fastTexels));
                    std::memset(&texels, 0xA5, sizeof(texels));
                    gatherRgba8888Block(request, bx, by, &fastTexels, fastNibbles);
                    gatherBlock(request, bx, by, &texels, nibbles);
                    ASSERT_EQ(std::memcmp(&fastTexels, &texels, sizeof(texels)), 0)
                        << shape.width << "x" << shape.height << " block " << bx << "," << by;
                    ASSERT_EQ(std::memcmp(fastNibbles, nibbles, sizeof(nibbles)), 0)
                        << shape.width << "x" << shape.height << " block " << bx << "," << by;
                }
            }
        }
    }
}

TEST(AtcGather, OnlyTheEngineLayoutTakesTheRgba8888Gather) {
    EXPECT_TRUE(isRgba8888(describeSource(0xFF, 0xFF00, 0xFF0000, 0xFF000000)));
    EXPECT_FALSE(isRgba8888(describeSource(0xFF0000, 0xFF00, 0xFF, 0xFF000000)));
    EXPECT_FALSE(isRgba8888(describeSource(0xFF, 0xFF00, 0xFF0000, 0)));
    EXPECT_FALSE(isRgba8888(describeSource(0xFF, 0xFF00, 0xFF0000, 0x0F000000)));
    EXPECT_FALSE(isRgba8888(describeSource(0xF800, 0x7E0, 0x1F, 0)));
}

}  // namespace
