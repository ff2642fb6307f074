// Both colour-block encoders on small blocks with known codes, index words
// and grades.
#include <gtest/gtest.h>

#include <string>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

enum class Encoder { Exhaustive, Quick };

struct BlockCase {
    std::string name;
    ColourBlock texels;
    Encoder encoder;
    uint32_t format;
    uint16_t colour0;
    uint16_t colour1;
    uint32_t indexWord;
    int32_t grade;  // quick encoder only
};

TEST(ColourBlockEncoders, WorkedBlocks) {
    const ColourBlock flat = FlatBlock(200, 100, 50);
    const ColourBlock half = HalfBlackWhiteBlock();
    const ColourBlock ramp = GreyRampBlock();
    const ColourBlock rows = BlackRedBlueWhiteBlock();
    const Encoder full = Encoder::Exhaustive;
    const Encoder quick = Encoder::Quick;
    const uint32_t atc = FORMAT_ATC;
    const uint32_t order = FORMAT_ATC_ORDER_MODE;
    const BlockCase cases[] = {
        {"flat", flat, full, atc, 0x0000, 0xC326, 0xFFFFFFFF, 0},
        {"half", half, full, atc, 0x0000, 0xFFFF, 0xFFFF0000, 0},
        {"ramp", ramp, full, atc, 0x0C63, 0xE73C, 0xFFAA5500, 0},
        {"rows", rows, full, atc, 0x801F, 0xFBEF, 0xFFAAFF00, 0},
        {"flat", flat, full, order, 0x0000, 0xC326, 0xFFFFFFFF, 0},
        {"half", half, full, order, 0x0000, 0xFFFF, 0xFFFF0000, 0},
        {"ramp", ramp, full, order, 0x18C3, 0xE73C, 0xFFAA5500, 0},
        {"rows", rows, full, order, 0xFBEF, 0x001F, 0xFFAAFF00, 0},
        {"flat", flat, quick, atc, 0x0000, 0xC326, 0xFFFFFFFF, 6},
        {"half", half, quick, atc, 0x0000, 0xFFFF, 0xFFFF0000, 0},
        {"ramp", ramp, quick, atc, 0x0C63, 0xE73C, 0xFFAA5500, 1183},
        {"rows", rows, quick, atc, 0x000F, 0xFFFF, 0xFF005500, 24190},
        {"flat", flat, quick, order, 0x0000, 0xC326, 0xFFFFFFFF, 6},
        {"half", half, quick, order, 0x0000, 0xFFFF, 0xFFFF0000, 0},
        {"ramp", ramp, quick, order, 0x18C3, 0xE73C, 0xFFAA5500, 1183},
        {"rows", rows, quick, order, 0x000F, 0xFFFF, 0xFF005500, 24190},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name + (c.encoder == quick ? " quick" : " exhaustive") +
                     (c.format == order ? " order mode" : ""));
        uint16_t colour0 = 0xAAAA;
        uint16_t colour1 = 0xAAAA;
        uint32_t indexWord = 0;
        int32_t grade = -1;
        if (c.encoder == full) {
            indexWord = EncodeColourBlock(c.texels, c.format, &colour0, &colour1);
        } else {
            indexWord = EncodeColourBlockQuick(c.texels, c.format, &colour0, &colour1, &grade);
            EXPECT_EQ(grade, c.grade);
        }
        EXPECT_EQ(colour0, c.colour0);
        EXPECT_EQ(colour1, c.colour1);
        EXPECT_EQ(indexWord, c.indexWord);
    }
}

// The grade is the block's squared error over its decoded texels, divided
// by 16 and truncated.
TEST(ColourBlockEncoders, QuickGradeIsTheMeanSquaredErrorOfItsBlock) {
    uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        ColourBlock texels{};
        for (auto& texel : texels.texel) {
            for (uint8_t& channel : texel) {
                seed = seed * 1664525u + 1013904223u;
                channel = static_cast<uint8_t>(seed >> 24);
            }
        }
        uint16_t colour0 = 0;
        uint16_t colour1 = 0;
        int32_t grade = 0;
        uint32_t indexWord = EncodeColourBlockQuick(texels, FORMAT_ATC, &colour0, &colour1, &grade);
        ColourBlock decoded{};
        DecodeColourBlock(indexWord, colour0, colour1, FORMAT_ATC, &decoded);
        int32_t error = 0;
        for (int t = 0; t < 16; ++t) {
            for (int k = 0; k < 3; ++k) {
                int d = texels.texel[t][k] - decoded.texel[t][k];
                error += d * d;
            }
        }
        ASSERT_EQ(grade, error >> 4) << round;
    }
}

}  // namespace
