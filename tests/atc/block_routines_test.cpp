// The FORMAT_ATC block routines that the block library calls.
#include <gtest/gtest.h>

#include <vector>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

uint32_t Next(uint32_t* seed) {
    *seed = *seed * 1664525u + 1013904223u;
    return *seed >> 8;
}

// Random blocks of several kinds: noise, few colours, and dark plus bright
// texels (where black mode is in play).
ColourBlock RandomBlock(uint32_t* seed) {
    ColourBlock block{};
    const uint32_t kind = Next(seed) % 3;
    uint8_t palette[4][3];
    for (auto& colour : palette) {
        for (uint8_t& channel : colour) {
            channel = static_cast<uint8_t>(Next(seed));
        }
    }
    if (kind == 2) {
        palette[0][0] = palette[0][1] = palette[0][2] = static_cast<uint8_t>(Next(seed) % 30);
        palette[3][0] = palette[3][1] = palette[3][2] = 255;
    }
    for (auto& texel : block.texel) {
        const uint32_t pick = Next(seed) % 4;
        for (int k = 0; k < 3; ++k) {
            texel[k] = kind == 0 ? static_cast<uint8_t>(Next(seed)) : palette[pick][k];
        }
    }
    return block;
}

TEST(AtcBlockRoutines, ColourBlockEqualsTheImageEncodersBlock) {
    uint32_t seed = 2024;
    for (int round = 0; round < 300; ++round) {
        const ColourBlock texels = RandomBlock(&seed);
        std::vector<uint8_t> image = ImageOfBlocks({texels});
        uint8_t output[8];
        uint32_t size = sizeof output;
        ATI_TC_Header header{};
        ASSERT_EQ(ATI_TC_Encode(image.data(), kRed, kGreen, kBlue, kAlpha, 4, 4, 16, FLAG_NO_ALPHA,
                                FORMAT_ATC, &header, output, &size),
                  RESULT_OK);
        uint16_t colour0 = 0;
        uint16_t colour1 = 0;
        const uint32_t indexWord = AtcEncodeColourBlock(texels, &colour0, &colour1);
        const StoredColourBlock stored = ReadColourBlock(output);
        ASSERT_EQ(colour0, stored.colour0) << round;
        ASSERT_EQ(colour1, stored.colour1) << round;
        ASSERT_EQ(indexWord, stored.indexWord) << round;

        ColourBlock decoded{};
        AtcDecodeColourBlock(indexWord, colour0, colour1, &decoded);
        ATI_TC_Header decodeHeader{FORMAT_ATC, 4, 4, FLAG_NO_ALPHA, 20};
        uint8_t pixels[48];
        size = sizeof pixels;
        ASSERT_EQ(ATI_TC_Decode(&decodeHeader, output, ORDER_RGB, pixels, &size), RESULT_OK);
        for (int t = 0; t < 16; ++t) {
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(decoded.texel[t][k], pixels[3 * t + k]) << round;
            }
        }
    }
}

TEST(AtcBlockRoutines, ExplicitAlphaKeepsTheUpperFourBits) {
    AlphaBlock alpha{};
    const uint8_t values[4] = {0x00, 0x0F, 0x10, 0xFF};
    const uint8_t unpacked[4] = {0, 0, 17, 255};
    for (int t = 0; t < 16; ++t) {
        alpha.alpha[t] = values[t % 4];
    }
    uint8_t block[8];
    AtcPackExplicitAlpha(alpha, block);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(block[i], i % 2 == 0 ? 0x00 : 0xF1) << i;  // nibbles 0, 0, 1, 15
    }
    AlphaBlock back{};
    AtcUnpackExplicitAlpha(block, &back);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ(back.alpha[t], unpacked[t % 4]) << t;
    }
}

TEST(AtcBlockRoutines, ModeBitSelectsBlackMode) {
    ColourBlock decoded{};
    AtcDecodeColourBlock(0xE4E4E4E4, 0xFFFF, 0x001F, &decoded);
    const uint8_t row[4][3] = {{0, 0, 0}, {255, 255, 192}, {255, 255, 255}, {0, 0, 255}};
    for (int t = 0; t < 16; ++t) {
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(decoded.texel[t][k], row[t % 4][k]) << t;
        }
    }
}

}  // namespace
