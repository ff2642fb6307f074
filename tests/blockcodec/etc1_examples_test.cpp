// ETC1 blocks with known words: the encoder's choices and the decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_modifiers.h"
#include "quenda.h"

namespace {

ColourBlock Flat(uint8_t r, uint8_t g, uint8_t b) {
    ColourBlock block;
    for (auto& texel : block.texel) {
        texel[0] = r;
        texel[1] = g;
        texel[2] = b;
    }
    return block;
}

ColourBlock BlackLeftWhiteRight() {
    ColourBlock block = Flat(0, 0, 0);
    for (int i = 0; i < 16; ++i) {
        if (i % 4 >= 2) {
            block.texel[i][0] = block.texel[i][1] = block.texel[i][2] = 255;
        }
    }
    return block;
}

bool SameBlock(const ColourBlock& a, const ColourBlock& b) {
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            if (a.texel[i][c] != b.texel[i][c]) {
                return false;
            }
        }
    }
    return true;
}

TEST(Etc1Encode, FlatBlockIsDifferentialUnflippedWithoutDifferences) {
    for (const ColourBlock& block :
         {Flat(100, 150, 200), Flat(0, 0, 0), Flat(255, 255, 255), Flat(3, 250, 128)}) {
        const Etc1Words words = Etc1EncodeBlock(block);
        EXPECT_EQ(words.word1 & 3, 2u) << std::hex << words.word1;
        EXPECT_EQ(words.word1 & 0x07070700, 0u) << std::hex << words.word1;
        EXPECT_EQ(words.word1 >> 5 & 7, words.word1 >> 2 & 7);
        ColourBlock decoded;
        Etc1DecodeBlock(words.word1, words.word2, &decoded);
        for (int i = 0; i < 16; ++i) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(decoded.texel[i][c], block.texel[i][c], 4);
            }
        }
    }
}

TEST(Etc1Encode, BlackAndWhiteHalvesUseIndividualBasesAndDecodeExactly) {
    const ColourBlock block = BlackLeftWhiteRight();
    const Etc1Words words = Etc1EncodeBlock(block);
    // Bases 0 and 15 (x 17 = 255), codewords 0, no diff, no flip; black
    // pixels take large negative (code 3), white ones small positive (code 0).
    EXPECT_EQ(words.word1, 0x0F0F0F00u);
    EXPECT_EQ(words.word2, 0x00FF00FFu);
    ColourBlock decoded;
    Etc1DecodeBlock(words.word1, words.word2, &decoded);
    EXPECT_TRUE(SameBlock(decoded, block));
}

TEST(Etc1Encode, FirstStoredByteIsTheTopByteOfTheBaseColourWord) {
    std::vector<uint8_t> rgba;
    const ColourBlock block = BlackLeftWhiteRight();
    for (const auto& texel : block.texel) {
        rgba.insert(rgba.end(), {texel[0], texel[1], texel[2], 255});
    }
    uint8_t stored[8];
    uint32_t size = 8;
    ASSERT_EQ(QuendaEncode(rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, 4, 4, 16, 0x01,
                           FORMAT_ETC1_RGB8, stored, &size),
              RESULT_OK);
    EXPECT_EQ(std::vector<uint8_t>(stored, stored + 8),
              (std::vector<uint8_t>{0x0F, 0x0F, 0x0F, 0x00, 0x00, 0xFF, 0x00, 0xFF}));
}

TEST(Etc1Encode, EqualEncoderErrorsKeepTheAverageColourBlock) {
    const uint8_t light[3] = {180, 210, 150};
    const uint8_t dark[3] = {143, 136, 39};
    const char pattern[] = "LLLDLLLDDDDLDLDL";
    ColourBlock block;
    for (int i = 0; i < 16; ++i) {
        std::copy(pattern[i] == 'L' ? light : dark, (pattern[i] == 'L' ? light : dark) + 3,
                  block.texel[i]);
    }
    const Etc1Words average = Etc1EncodeAverage(block);
    const Etc1Words chromaFit = Etc1EncodeChromaFit(block);
    ASSERT_EQ(average.word1, 0xA0B76EDAu);
    ASSERT_EQ(chromaFit.word1, 0xA0B76FDAu);
    ASSERT_EQ(Etc1BlockError(block, average), Etc1BlockError(block, chromaFit));
    const Etc1Words chosen = Etc1EncodeBlock(block);
    EXPECT_EQ(chosen.word1, 0xA0B76EDAu);
    EXPECT_EQ(chosen.word2, 0x3C4C0000u);
}

TEST(Etc1TableSearch, TiesKeepTheLowerCodewordAndTheEarlierModifier) {
    const uint8_t black[3] = {0, 0, 0};
    const uint8_t white[3] = {255, 255, 255};
    const ColourBlock block = BlackLeftWhiteRight();
    // Every codeword clamps to the exact colour: codeword 0 wins. Around 0,
    // large negative comes first; around 255, small positive before large.
    const Etc1TableChoice left = SearchSubblockTable(block, Etc1Subblocks[0][0], black);
    const Etc1TableChoice right = SearchSubblockTable(block, Etc1Subblocks[0][1], white);
    EXPECT_EQ(left.codeword, 0u);
    EXPECT_EQ(right.codeword, 0u);
    EXPECT_EQ(left.error, 0);
    EXPECT_EQ(right.error, 0);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(left.code[i], 3u);
        EXPECT_EQ(right.code[i], 0u);
    }
}

TEST(Etc1TableSearch, ErrorIsTruncatedToAnInteger) {
    // Base 100 against pixels of 101: every codeword's best is small positive
    // or negative, off by 1 in each channel for codeword 0 (error 8 x 1.0).
    const ColourBlock block = Flat(101, 101, 101);
    const uint8_t base[3] = {100, 100, 100};
    const Etc1TableChoice choice = SearchSubblockTable(block, Etc1Subblocks[1][0], base);
    EXPECT_EQ(choice.codeword, 0u);
    EXPECT_EQ(choice.error, 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(choice.code[i], 0u);
    }
}

TEST(Etc1Decode, ClampsEveryChannelToByteRange) {
    EXPECT_EQ(Etc1ClampChannel(250 + 47), 255);
    EXPECT_EQ(Etc1ClampChannel(3 - 8), 0);
    // Differential bases 30 (247) with codeword 7 and small positive +47, and
    // 1 (8) with codeword 1 and large negative -17.
    const uint32_t high = 30u << 27 | 30u << 19 | 30u << 11 | 7u << 5 | 7u << 2 | 2u;
    const uint32_t low = 1u << 27 | 1u << 19 | 1u << 11 | 1u << 5 | 1u << 2 | 2u;
    ColourBlock decoded;
    Etc1DecodeBlock(high, 0x00000000, &decoded);
    EXPECT_TRUE(SameBlock(decoded, Flat(255, 255, 255)));
    Etc1DecodeBlock(low, 0xFFFFFFFF, &decoded);
    EXPECT_TRUE(SameBlock(decoded, Flat(0, 0, 0)));
}

TEST(Etc1Decode, SecondDifferentialBaseWrapsModulo32) {
    // Base 31 with difference +3 in red, base 0 with -4 in blue.
    const uint32_t word1 = 31u << 27 | 3u << 24 | 16u << 19 | 0u << 11 | 4u << 8 | 2u;
    ColourBlock decoded;
    Etc1DecodeBlock(word1, 0x0000FFFF, &decoded);  // code 1: large positive, +8
    EXPECT_EQ(decoded.texel[0][0], 255);           // 255 + 8, clamped
    EXPECT_EQ(decoded.texel[2][0], 16 + 8);        // (31 + 3) mod 32 = 2 -> 16
    EXPECT_EQ(decoded.texel[2][2], 231 + 8);       // (0 - 4) mod 32 = 28 -> 231
}

TEST(Etc1Decode, FlipChoosesTopAndBottomHalves) {
    // Individual bases 0 and 15, codeword 0, all pixels small positive (+2).
    ColourBlock decoded;
    Etc1DecodeBlock(0x0F0F0F00 | 1u, 0, &decoded);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(decoded.texel[i][1], i < 8 ? 2 : 255) << i;
    }
}

}  // namespace
