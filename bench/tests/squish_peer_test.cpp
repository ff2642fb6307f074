#include "squish_peer.h"

#include <gtest/gtest.h>

#include "quality.h"

namespace {

// Red rises left to right, green top to bottom, so that a decoder that
// swaps the two halves of a BC5 block is caught (a swap scores far below 30 dB).
Picture Gradients(uint32_t width, uint32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgba.resize(size_t(width) * height * 4);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = &picture.rgba[(size_t(y) * width + x) * 4];
            p[0] = uint8_t(x * 255 / (width - 1));
            p[1] = uint8_t(y * 255 / (height - 1));
            p[2] = 77;
            p[3] = 255;
        }
    }
    return picture;
}

double PsnrOf(const Picture& source, const std::vector<uint8_t>& decoded, unsigned channels) {
    return Psnr(MeasureSquaredError(source.rgba.data(), decoded.data(),
                                    size_t(source.width) * source.height, channels));
}

}  // namespace

TEST(SquishPeer, Bc4KeepsTheRedChannel) {
    const Picture picture = Gradients(16, 8);
    std::vector<uint8_t> blocks;
    SquishEncode(picture, false, &blocks);
    EXPECT_EQ(blocks.size(), 8u * 8);
    std::vector<uint8_t> decoded;
    SquishDecode(blocks, picture.width, picture.height, false, &decoded);
    EXPECT_GT(PsnrOf(picture, decoded, CHANNEL_R), 30.0);
}

TEST(SquishPeer, Bc5KeepsRedAndGreenInTheirPlaces) {
    const Picture picture = Gradients(16, 8);
    std::vector<uint8_t> blocks;
    SquishEncode(picture, true, &blocks);
    EXPECT_EQ(blocks.size(), 16u * 8);
    std::vector<uint8_t> decoded;
    SquishDecode(blocks, picture.width, picture.height, true, &decoded);
    EXPECT_GT(PsnrOf(picture, decoded, CHANNEL_R), 30.0);
    EXPECT_GT(PsnrOf(picture, decoded, CHANNEL_G), 30.0);
}

TEST(SquishPeer, AFlatBlockDecodesExactly) {
    Picture picture;
    picture.width = 4;
    picture.height = 4;
    picture.rgba.assign(64, 0);
    for (size_t i = 0; i < 16; ++i) {
        picture.rgba[4 * i] = 200;
        picture.rgba[4 * i + 1] = 31;
        picture.rgba[4 * i + 3] = 255;
    }
    std::vector<uint8_t> blocks;
    SquishEncode(picture, true, &blocks);
    std::vector<uint8_t> decoded;
    SquishDecode(blocks, 4, 4, true, &decoded);
    EXPECT_EQ(decoded, picture.rgba);
}

TEST(SquishPeer, PartialBlocksAtTheEdgesStayInsideThePicture) {
    const Picture picture = Gradients(5, 3);
    std::vector<uint8_t> blocks;
    SquishEncode(picture, true, &blocks);
    EXPECT_EQ(blocks.size(), 2u * 16);
    std::vector<uint8_t> decoded;
    SquishDecode(blocks, 5, 3, true, &decoded);
    EXPECT_EQ(decoded.size(), picture.rgba.size());
    EXPECT_GT(PsnrOf(picture, decoded, CHANNEL_R | CHANNEL_G), 35.0);
}

TEST(SquishPeer, ShortBlockDataDecodesToNothingRatherThanPastTheEnd) {
    std::vector<uint8_t> decoded;
    SquishDecode(std::vector<uint8_t>(8), 8, 8, false, &decoded);
    EXPECT_EQ(decoded, std::vector<uint8_t>(8 * 8 * 4, 0));
}
