// Hue, saturation and when two hues differ.
#include <gtest/gtest.h>

#include "atc_internal.h"

namespace {

struct HueCase {
    TexelColour colour;
    int hue;
    int saturation;
};

TEST(HueSaturation, HuesAndSaturations) {
    const HueCase cases[] = {
        {{{0, 0, 0}}, -1, 0},
        {{{128, 128, 128}}, -1, 0},
        {{{255, 0, 0}}, 0, 100},
        {{{0, 255, 0}}, 120, 100},
        {{{0, 0, 255}}, 240, 100},
        {{{255, 0, 1}}, 0, 100},      // -0.23 degrees truncates toward zero
        {{{255, 0, 10}}, 358, 100},   // -2.35 degrees wraps round
        {{{255, 255, 0}}, 60, 100},   // channel 0 wins the tie for the maximum
        {{{0, 255, 255}}, 180, 100},  // channel 1 wins over channel 2
        {{{200, 100, 50}}, 20, 75},
        // Exact thirds: (c1 - c2) / d = 1/3 gives 20 after rounding to double.
        {{{3, 1, 0}}, 20, 100},
        {{{6, 5, 3}}, 40, 50},    // 2/3 x 60 = 40
        {{{0, 3, 1}}, 140, 100},  // (1 - 0) / 3 + 2 = 7/3, x 60 = 140
        // Single precision would land below or above the double result here.
        {{{0, 10, 1}}, 126, 100},
        {{{0, 20, 1}}, 122, 100},
    };
    for (const HueCase& c : cases) {
        HueSaturation hs = HueSaturationOf(c.colour);
        EXPECT_EQ(hs.hue, c.hue) << int{c.colour.ch[0]} << "," << int{c.colour.ch[1]} << ","
                                 << int{c.colour.ch[2]};
        EXPECT_EQ(hs.saturation, c.saturation)
            << int{c.colour.ch[0]} << "," << int{c.colour.ch[1]} << "," << int{c.colour.ch[2]};
    }
}

TEST(HueSaturation, ValuePercentAndDarkness) {
    EXPECT_EQ(ValuePercent({{255, 0, 0}}), 100);
    EXPECT_EQ(ValuePercent({{0, 0, 127}}), 49);
    EXPECT_EQ(ValuePercent({{38, 0, 0}}), 14);
    EXPECT_TRUE(IsDark({{0, 38, 0}}));
    EXPECT_FALSE(IsDark({{0, 0, 39}}));  // 15 percent
}

TEST(HuesDiffer, ShortWayRoundAndHuelessColours) {
    const struct {
        int a;
        int b;
        bool differ;
    } cases[] = {
        {350, 10, false}, {10, 350, false}, {200, 10, true},  {10, 200, true},
        {0, 30, false},   {0, 31, true},    {-1, 240, false}, {240, -1, false},
        {-1, -1, false},  {330, 0, false},  {329, 0, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HuesDiffer(c.a, c.b), c.differ) << c.a << " vs " << c.b;
    }
}

}  // namespace
