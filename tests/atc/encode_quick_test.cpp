// ATI_TC_EncodeFast: the quick encoder's grades, its verdict on whole
// images and the pixel sizes it accepts.
#include <gtest/gtest.h>

#include <vector>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

// Texels 0..7 black, 8..14 grey, texel 15 a dark red.
ColourBlock DarkBlock(uint8_t grey, uint8_t red) {
    ColourBlock block{};
    for (int t = 8; t < 15; ++t) {
        block.texel[t][0] = block.texel[t][1] = block.texel[t][2] = grey;
    }
    block.texel[15][0] = red;
    return block;
}

// Texels 0..7 grey, 8..11 white, 12..15 a red-blue mix.
ColourBlock MixedBlock(uint8_t grey, uint8_t red) {
    ColourBlock block{};
    for (int t = 0; t < 16; ++t) {
        const bool mix = t >= 12;
        const uint8_t level = t < 8 ? grey : 255;
        block.texel[t][0] = mix ? red : level;
        block.texel[t][1] = mix ? 0 : level;
        block.texel[t][2] = mix ? static_cast<uint8_t>(255 - red) : level;
    }
    return block;
}

int32_t GradeOf(const ColourBlock& block) {
    uint16_t colour0 = 0;
    uint16_t colour1 = 0;
    int32_t grade = 0;
    EncodeColourBlockQuick(block, FORMAT_ATC, &colour0, &colour1, &grade);
    return grade;
}

int32_t EncodeQuick(const std::vector<ColourBlock>& blocks, std::vector<uint8_t>* output) {
    const std::vector<uint8_t> image = ImageOfBlocks(blocks);
    const int32_t width = static_cast<int32_t>(4 * blocks.size());
    output->assign(8 * blocks.size(), 0xCC);
    uint32_t size = static_cast<uint32_t>(output->size());
    ATI_TC_Header header{};
    return ATI_TC_EncodeFast(image.data(), kRed, kGreen, kBlue, kAlpha, width, 4, width * 4,
                             FLAG_NO_ALPHA, FORMAT_ATC, &header, output->data(), &size);
}

TEST(AtiTcEncodeFast, GradeFixturesHaveTheirGrades) {
    EXPECT_EQ(GradeOf(DarkBlock(17, 76)), 249);
    EXPECT_EQ(GradeOf(DarkBlock(18, 75)), 250);
    EXPECT_EQ(GradeOf(MixedBlock(55, 62)), 3699);
    EXPECT_EQ(GradeOf(MixedBlock(26, 107)), 3700);
    EXPECT_EQ(GradeOf(HalfBlackWhiteBlock()), 0);
}

TEST(AtiTcEncodeFast, VerdictsOnWholeImages) {
    const ColourBlock perfect = HalfBlackWhiteBlock();
    std::vector<ColourBlock> oneWorst(16, perfect);
    oneWorst[5] = MixedBlock(26, 107);
    std::vector<ColourBlock> oneNearlyWorst(16, perfect);
    oneNearlyWorst[5] = MixedBlock(55, 62);
    const struct {
        const char* name;
        std::vector<ColourBlock> blocks;
        int32_t result;
    } cases[] = {
        {"grey ramp", {GreyRampBlock()}, RESULT_LOW_QUALITY},
        {"ramp and flat average 594",
         {GreyRampBlock(), FlatBlock(200, 100, 50)},
         RESULT_LOW_QUALITY},
        {"flat", {FlatBlock(200, 100, 50)}, RESULT_OK},
        {"every block 249", {DarkBlock(17, 76), DarkBlock(17, 76), DarkBlock(17, 76)}, RESULT_OK},
        {"average exactly 250", {DarkBlock(18, 75)}, RESULT_LOW_QUALITY},
        {"average 249.75 truncates to 249",
         {DarkBlock(18, 75), DarkBlock(17, 76), DarkBlock(18, 75), DarkBlock(18, 75)},
         RESULT_OK},
        {"one block 3700 among perfect ones", oneWorst, RESULT_LOW_QUALITY},
        {"one block 3699 among perfect ones", oneNearlyWorst, RESULT_OK},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> output;
        EXPECT_EQ(EncodeQuick(c.blocks, &output), c.result) << c.name;
        // Every block is written whatever the verdict.
        for (size_t b = 0; b < c.blocks.size(); ++b) {
            uint16_t colour0 = 0;
            uint16_t colour1 = 0;
            int32_t grade = 0;
            uint32_t indexWord =
                EncodeColourBlockQuick(c.blocks[b], FORMAT_ATC, &colour0, &colour1, &grade);
            StoredColourBlock stored = ReadColourBlock(&output[8 * b]);
            EXPECT_EQ(stored.colour0, colour0) << c.name << " block " << b;
            EXPECT_EQ(stored.colour1, colour1) << c.name << " block " << b;
            EXPECT_EQ(stored.indexWord, indexWord) << c.name << " block " << b;
        }
    }
}

TEST(AtiTcEncodeFast, PixelSizes) {
    const uint8_t pixels[4] = {1, 2, 3, 4};
    const struct {
        uint32_t mask0;
        uint32_t mask1;
        uint32_t mask2;
        uint32_t alphaMask;
        int32_t result;
    } cases[] = {
        {0xE0, 0x1C, 0x03, 0, RESULT_UNSUPPORTED_LAYOUT},  // one byte
        {0, 0, 0, 0, RESULT_UNSUPPORTED_LAYOUT},           // no bytes at all
        {0xF800, 0x07E0, 0x001F, 0, RESULT_OK},
        {0x0F00, 0x00F0, 0x000F, 0xF000, RESULT_OK},
        {kRed, kGreen, kBlue, 0, RESULT_OK},
        {kRed, kGreen, kBlue, kAlpha, RESULT_OK},
    };
    for (const auto& c : cases) {
        uint8_t output[16];
        uint32_t size = sizeof output;
        ATI_TC_Header header{};
        EXPECT_EQ(ATI_TC_EncodeFast(pixels, c.mask0, c.mask1, c.mask2, c.alphaMask, 1, 1, 4,
                                    FLAG_ALPHA, FORMAT_ATC, &header, output, &size),
                  c.result)
            << std::hex << c.mask0;
    }
    // The exhaustive encoder reads one-byte pixels.
    uint8_t output[8];
    uint32_t size = sizeof output;
    ATI_TC_Header header{};
    EXPECT_EQ(
        ATI_TC_Encode(pixels, 0xE0, 0x1C, 0x03, 0, 1, 1, 1, 0, FORMAT_ATC, &header, output, &size),
        RESULT_OK);
}

}  // namespace
