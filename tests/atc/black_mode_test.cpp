// The black-mode tests of both encoders and the takeover of an empty class.
#include <gtest/gtest.h>

#include "atc_fixtures.h"
#include "atc_internal.h"

namespace {

Clusters Means(TexelColour m0, TexelColour m1, TexelColour m2, TexelColour m3, int n0, int n1,
               int n2, int n3) {
    return {{m0, m1, m2, m3}, {n0, n1, n2, n3}};
}

TEST(ChooseBlackMode, EntryTests) {
    const TexelColour black{{0, 0, 0}};
    const TexelColour blue{{0, 0, 255}};
    const TexelColour white{{255, 255, 255}};
    const TexelColour red{{255, 0, 0}};
    // A wanted black mode: a blue middle class against a white bright class.
    const Clusters wanted = Means(black, {}, blue, white, 4, 0, 4, 8);
    const struct {
        const char* name;
        Clusters clusters;
        int mode;
    } cases[] = {
        {"wanted", wanted, 1},
        {"no dark class", Means(black, {}, blue, white, 0, 0, 4, 12), 0},
        {"class 0 not dark", Means({{39, 0, 0}}, {}, blue, white, 4, 0, 4, 8), 0},
        {"class 0 just dark", Means({{38, 0, 0}}, {}, blue, white, 4, 0, 4, 8), 1},
        {"bright class too dim", Means(black, {}, blue, {{142, 142, 142}}, 4, 0, 4, 8), 0},
        {"bright class just bright", Means(black, {}, blue, {{143, 143, 143}}, 4, 0, 4, 8), 1},
        {"grey line", Means(black, {{90, 90, 90}}, {{170, 170, 170}}, white, 4, 4, 4, 4), 0},
        {"hue differs", Means(black, {}, {{100, 60, 50}}, {{150, 160, 255}}, 4, 0, 4, 8), 1},
        {"saturated middle class", Means(black, {}, red, {{255, 200, 200}}, 4, 0, 4, 8), 1},
    };
    for (const auto& c : cases) {
        Clusters clusters = c.clusters;
        uint32_t indexWord = 0xFFAA5500;
        EXPECT_EQ(ChooseBlackMode(&indexWord, &clusters), c.mode) << c.name;
    }
}

TEST(ChooseBlackMode, EmptyClassTwoTakesOverClassOne) {
    const TexelColour blue{{0, 0, 255}};
    Clusters clusters = Means({}, blue, {}, {{255, 255, 255}}, 4, 4, 0, 8);
    uint32_t indexWord = 0xFFFF5500;  // rows 0, 1, 3, 3
    ASSERT_EQ(ChooseBlackMode(&indexWord, &clusters), 1);
    EXPECT_EQ(indexWord, 0xFFFFAA00u);
    EXPECT_EQ(clusters.count[1], 0);
    EXPECT_EQ(clusters.count[2], 4);
    EXPECT_EQ(clusters.mean[2].ch[2], 255);
    EXPECT_EQ(clusters.mean[1].ch[2], 0);
}

TEST(ChooseBlackModeQuick, AlsoWeighsTheErrorOfBothModes) {
    const TexelColour black{{0, 0, 0}};
    const TexelColour white{{255, 255, 255}};
    // Blue between black and white: black mode serves it far better.
    Clusters clusters = Means(black, {}, {{0, 0, 255}}, white, 4, 0, 4, 8);
    uint32_t indexWord = 0xFFFFAA00;
    EXPECT_EQ(ChooseBlackModeQuick(&indexWord, &clusters), 1);
    // A faint tint on the interpolated line: the full rule takes black mode
    // on the hue, the quick one finds no saturated class.
    clusters = Means(black, {}, {{100, 100, 96}}, {{200, 200, 255}}, 4, 0, 4, 8);
    indexWord = 0xFFFFAA00;
    EXPECT_EQ(ChooseBlackModeQuick(&indexWord, &clusters), 0);
    indexWord = 0xFFFFAA00;
    EXPECT_EQ(ChooseBlackMode(&indexWord, &clusters), 1);
}

TEST(RefineIndices, MovesTexelsToTheNearestColourAndAcceptsByClassCounts) {
    ColourBlock texels = HalfBlackWhiteBlock();
    const ColourSources sources{{{0, 0, 0}}, {{255, 255, 255}}};
    uint32_t indexWord = 0xFFFF0001;  // texel 0 misplaced in class 1
    EXPECT_TRUE(RefineIndices(texels, &indexWord, sources, 0, FORMAT_ATC, RefineRule::Exhaustive));
    EXPECT_EQ(indexWord, 0xFFFF0000u);
    EXPECT_FALSE(RefineIndices(texels, &indexWord, sources, 0, FORMAT_ATC, RefineRule::Exhaustive));

    // Without class 0 the refined word is kept only in black mode by the
    // full rule; the quick rule refuses it.
    ColourBlock white = FlatBlock(255, 255, 255);
    white.texel[0][0] = white.texel[0][1] = white.texel[0][2] = 128;
    const ColourSources blackModeSources{{{128, 128, 128}}, {{255, 255, 255}}};
    indexWord = 0xFFFFFFFF;
    EXPECT_TRUE(
        RefineIndices(white, &indexWord, blackModeSources, 1, FORMAT_ATC, RefineRule::Exhaustive));
    EXPECT_EQ(indexWord, 0xFFFFFFFEu);
    indexWord = 0xFFFFFFFF;
    EXPECT_FALSE(
        RefineIndices(white, &indexWord, blackModeSources, 1, FORMAT_ATC, RefineRule::Quick));
    EXPECT_EQ(indexWord, 0xFFFFFFFFu);
}

}  // namespace
