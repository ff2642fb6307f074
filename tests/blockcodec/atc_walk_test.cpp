// The FORMAT_ATC paths of the walk: which routine makes each half of a block
// and how their results are stored.
#include <gtest/gtest.h>

#include <vector>

#include "atc.h"
#include "byte_order.h"
#include "quenda.h"
#include "single_channel_codec.h"
#include "test_pixels.h"

namespace {

AlphaBlock ImageAlpha(const RgbaImage& image) {
    AlphaBlock alpha;
    for (int i = 0; i < 16; ++i) {
        alpha.alpha[i] = image.rgba[4 * i + 3];
    }
    return alpha;
}

std::vector<uint8_t> EncodeAtc(const RgbaImage& image, uint32_t flags) {
    std::vector<uint8_t> out(16);
    uint32_t size = 16;
    EXPECT_EQ(QuendaEncode(image.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, 4, 4, 16, flags,
                           FORMAT_ATC, out.data(), &size),
              RESULT_OK);
    out.resize(size);
    return out;
}

void ExpectColourBlock(const RgbaImage& image, const uint8_t* stored) {
    uint16_t colour0 = 0;
    uint16_t colour1 = 0;
    const uint32_t indices = AtcEncodeColourBlock(ImageBlock(image, 0, 0), &colour0, &colour1);
    EXPECT_EQ(LoadLittleEndian32(stored), static_cast<uint32_t>(colour1) << 16 | colour0);
    EXPECT_EQ(LoadLittleEndian32(stored + 4), indices);
}

TEST(AtcWalk, ColourBlockAloneWithoutAlpha) {
    const RgbaImage image = StructuredImage(4, 4, 61);
    const std::vector<uint8_t> out = EncodeAtc(image, 0);
    ASSERT_EQ(out.size(), 8u);
    ExpectColourBlock(image, out.data());
}

TEST(AtcWalk, InterpolatedAlphaBlockComesFirst) {
    const RgbaImage image = StructuredImage(4, 4, 62);
    const std::vector<uint8_t> out = EncodeAtc(image, 0x12);
    ASSERT_EQ(out.size(), 16u);
    uint8_t alphaBlock[8];
    SingleChannelEncodeBlock(ImageAlpha(image).alpha, alphaBlock);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              std::vector<uint8_t>(alphaBlock, alphaBlock + 8));
    ExpectColourBlock(image, out.data() + 8);
}

TEST(AtcWalk, ExplicitAlphaBlockComesFirst) {
    const RgbaImage image = StructuredImage(4, 4, 63);
    const std::vector<uint8_t> out = EncodeAtc(image, FLAG_ALPHA);
    ASSERT_EQ(out.size(), 16u);
    uint8_t alphaBlock[8];
    AtcPackExplicitAlpha(ImageAlpha(image), alphaBlock);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              std::vector<uint8_t>(alphaBlock, alphaBlock + 8));
    ExpectColourBlock(image, out.data() + 8);
}

TEST(AtcWalk, DecodeHandsTheStoredWordsToTheAtcRoutines) {
    const uint8_t stored[16] = {
        200,  20,   0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC,  // interpolated alpha
        0x63, 0x0C, 0x3C, 0xE7, 0x00, 0x55, 0xAA, 0xFF};
    ColourBlock colour;
    AtcDecodeColourBlock(0xFFAA5500, 0x0C63, 0xE73C, &colour);
    uint8_t alpha[16];
    SingleChannelDecodeBlock(stored, alpha);
    std::vector<uint8_t> decoded(64);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, 0x12, stored, 0, ORDER_RGB, decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(decoded[4 * i + c], colour.texel[i][c]);
        }
        EXPECT_EQ(decoded[4 * i + 3], alpha[i]);
    }

    AlphaBlock explicitAlpha;
    AtcUnpackExplicitAlpha(stored, &explicitAlpha);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, FLAG_ALPHA, stored, 0, ORDER_RGB, decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(decoded[4 * i + 3], explicitAlpha.alpha[i]);
    }

    std::vector<uint8_t> rgb(48);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, 0, stored + 8, 0, ORDER_RGB, rgb.data(), 48),
              RESULT_OK);
    EXPECT_EQ(rgb, std::vector<uint8_t>(&colour.texel[0][0], &colour.texel[0][0] + 48));
}

}  // namespace
