// Median cut: which box is split, where, and the colour each box gives.
#include <gtest/gtest.h>

#include <vector>

#include "histogram.h"
#include "median_cut.h"

namespace {

struct Weighted {
    QuantPixel colour;
    uint64_t count;
};

std::vector<QuantPixel> Cut(const std::vector<Weighted>& colours, uint32_t wanted) {
    Histogram histogram;
    histogram.entries.reset(new ColorCount[colours.size()]);
    histogram.size = uint32_t(colours.size());
    uint64_t total = 0;
    for (size_t i = 0; i < colours.size(); ++i) {
        histogram.entries[i] = ColorCount{colours[i].colour, colours[i].count};
        total += colours[i].count;
    }
    std::vector<QuantPixel> palette(wanted);
    EXPECT_TRUE(MedianCutPalette(histogram, total, 255, wanted, palette.data()));
    return palette;
}

std::string Show(const std::vector<QuantPixel>& palette) {
    std::string text;
    for (const QuantPixel& p : palette) {
        text += "(" + std::to_string(p.c[0]) + "," + std::to_string(p.c[1]) + "," +
                std::to_string(p.c[2]) + "," + std::to_string(p.c[3]) + ")";
    }
    return text;
}

// Three colours of one pixel each cut in two: the colour lowest on the split
// channel is cut off and ends up second, behind the two-pixel box.
struct ChannelCase {
    const char* name;
    std::vector<Weighted> colours;
    const char* palette;
};

TEST(MedianCutPalette, SplitsTheWidestChannelPreferringAlphaThenChannelZeroThenOne) {
    const ChannelCase cases[] = {
        {"all ranges equal: alpha",
         {{{{0, 0, 0, 10}}, 1}, {{{10, 10, 10, 0}}, 1}, {{{5, 5, 5, 5}}, 1}},
         "(2,2,2,7)(10,10,10,0)"},
        {"channel 0 ties 1 and 2",
         {{{{0, 20, 20, 0}}, 1}, {{{20, 0, 0, 0}}, 1}, {{{10, 10, 10, 5}}, 1}},
         "(15,5,5,2)(0,20,20,0)"},
        {"channel 1 ties 2",
         {{{{5, 20, 0, 0}}, 1}, {{{0, 0, 20, 0}}, 1}, {{{10, 10, 10, 0}}, 1}},
         "(7,15,5,0)(0,0,20,0)"},
        {"channel 2 widest",
         {{{{0, 0, 30, 0}}, 1}, {{{10, 10, 0, 0}}, 1}, {{{5, 20, 15, 0}}, 1}},
         "(2,10,22,0)(10,10,0,0)"},
    };
    for (const ChannelCase& c : cases) {
        EXPECT_EQ(Show(Cut(c.colours, 2)), c.palette) << c.name;
    }
}

TEST(MedianCutPalette, LowerPartGrowsToHalfThePixelsButLeavesOneColour) {
    // Half of 8 pixels is 4: the first two colours hold 2 and the last must
    // stay on its own.
    EXPECT_EQ(Show(Cut({{{{0, 0, 0, 0}}, 1}, {{{10, 0, 0, 0}}, 1}, {{{20, 0, 0, 0}}, 6}}, 2)),
              "(20,0,0,0)(5,0,0,0)");
    // The first colour alone reaches half of 7.
    EXPECT_EQ(Show(Cut({{{{0, 0, 0, 0}}, 5}, {{{10, 0, 0, 0}}, 1}, {{{20, 0, 0, 0}}, 1}}, 2)),
              "(0,0,0,0)(15,0,0,0)");
}

TEST(MedianCutPalette, SplitsTheLargestBoxThatHasTwoColoursAndOrdersByPixels) {
    EXPECT_EQ(Show(Cut({{{{0, 0, 0, 0}}, 10}, {{{100, 0, 0, 0}}, 1}, {{{200, 0, 0, 0}}, 1}}, 3)),
              "(0,0,0,0)(100,0,0,0)(200,0,0,0)");
    EXPECT_EQ(Show(Cut({{{{0, 0, 0, 0}}, 1}, {{{100, 0, 0, 0}}, 1}, {{{200, 0, 0, 0}}, 10}}, 3)),
              "(200,0,0,0)(0,0,0,0)(100,0,0,0)");
}

TEST(MedianCutPalette, BoxColourIsThePixelWeightedMeanRoundedDown) {
    EXPECT_EQ(Show(Cut({{{{0, 3, 255, 255}}, 1}, {{{10, 4, 255, 254}}, 2}}, 1)), "(6,3,255,254)");
}

}  // namespace
