// The palettes of both modes and both formats, and the colour block decoder.
#include <gtest/gtest.h>

#include <array>

#include "atc_internal.h"

namespace {

using Colours = std::array<std::array<int, 3>, 4>;

Colours PaletteOf(uint16_t colour0, uint16_t colour1, uint32_t format) {
    ColourPalette palette = BuildColourPalette(colour0, colour1, format);
    Colours colours{};
    for (int i = 0; i < 4; ++i) {
        for (int k = 0; k < 3; ++k) {
            colours[i][k] = palette.entry[i].ch[k];
        }
    }
    return colours;
}

struct PaletteCase {
    uint16_t colour0;
    uint16_t colour1;
    uint32_t format;
    Colours expected;
};

TEST(ColourPalette, WorkedPalettes) {
    const PaletteCase cases[] = {
        {0x7FFF, 0x0000, FORMAT_ATC, {{{255, 255, 255}, {159, 159, 159}, {95, 95, 95}, {0, 0, 0}}}},
        {0xFFFF,
         0xFFFF,
         FORMAT_ATC,
         {{{0, 0, 0}, {192, 192, 192}, {255, 255, 255}, {255, 255, 255}}}},
        {0x7C00, 0x001F, FORMAT_ATC, {{{255, 0, 0}, {159, 0, 95}, {95, 0, 159}, {0, 0, 255}}}},
        // The same codes read by the two variants.
        {0xFFFF,
         0x001F,
         FORMAT_ATC_ORDER_MODE,
         {{{0, 0, 0}, {0, 0, 192}, {0, 0, 255}, {255, 255, 255}}}},
        {0xFFFF, 0x001F, FORMAT_ATC, {{{0, 0, 0}, {255, 255, 192}, {255, 255, 255}, {0, 0, 255}}}},
        // Black mode: a channel where colour 1 outshines colour 0 clamps to 0.
        {0xFC00, 0x07FF, FORMAT_ATC, {{{0, 0, 0}, {255, 0, 0}, {255, 0, 0}, {0, 255, 255}}}},
        // Equal colours never select black mode with the order variant.
        {0xFFFF,
         0xFFFF,
         FORMAT_ATC_ORDER_MODE,
         {{{255, 255, 255}, {255, 255, 255}, {255, 255, 255}, {255, 255, 255}}}},
        {0x0861, 0x0861, FORMAT_ATC_ORDER_MODE, {{{8, 12, 8}, {8, 12, 8}, {8, 12, 8}, {8, 12, 8}}}},
    };
    for (const PaletteCase& c : cases) {
        EXPECT_EQ(PaletteOf(c.colour0, c.colour1, c.format), c.expected)
            << std::hex << c.colour0 << " " << c.colour1 << " " << c.format;
    }
}

// Lfloor(a) never exceeds Lceil(a): equal codes always interpolate.
TEST(ColourPalette, EqualOrderModeColoursInterpolate) {
    for (uint32_t code = 0; code < 0x10000; code += 7) {
        Colours colours = PaletteOf(static_cast<uint16_t>(code), static_cast<uint16_t>(code),
                                    FORMAT_ATC_ORDER_MODE);
        ASSERT_EQ(colours[0], colours[3]) << code;
    }
}

TEST(ColourPalette, IndexWordSelectsEntriesPerTexel) {
    const Colours palette = PaletteOf(0x7C00, 0x001F, FORMAT_ATC);
    const struct {
        uint32_t indexWord;
        int entryOfColumn[4];
    } rows[] = {
        {0x00000000, {0, 0, 0, 0}},
        {0xFFFFFFFF, {3, 3, 3, 3}},
        {0xE4E4E4E4, {0, 1, 2, 3}},
    };
    for (const auto& row : rows) {
        ColourBlock texels{};
        DecodeColourBlock(row.indexWord, 0x7C00, 0x001F, FORMAT_ATC, &texels);
        for (int t = 0; t < 16; ++t) {
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(texels.texel[t][k], palette[row.entryOfColumn[t % 4]][k])
                    << std::hex << row.indexWord << " texel " << std::dec << t;
            }
        }
    }
}

}  // namespace
