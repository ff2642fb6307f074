// The colour-block encoders that the image encoders use against the
// texel-by-texel references, on every vector instruction set that was
// compiled in and that this processor has (down to the emulated one).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "atc_fixtures.h"
#include "atc_internal.h"
#include "atc_search.h"
#include "colour_tables.h"
#include "hwy/targets.h"

namespace {

struct Encoded {
    uint16_t colour0;
    uint16_t colour1;
    uint32_t indexWord;
    int32_t grade;

    bool operator==(const Encoded&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Encoded& e) {
    return out << std::hex << "colour0 " << e.colour0 << " colour1 " << e.colour1 << " indices "
               << e.indexWord << std::dec << " grade " << e.grade;
}

constexpr uint32_t kFormats[] = {FORMAT_ATC, FORMAT_ATC_ORDER_MODE};

Encoded Exhaustive(const ColourBlock& texels, uint32_t format, bool reference) {
    Encoded e{};
    e.indexWord = reference ? EncodeColourBlockReference(texels, format, &e.colour0, &e.colour1)
                            : EncodeColourBlock(texels, format, &e.colour0, &e.colour1);
    return e;
}

Encoded Quick(const ColourBlock& texels, uint32_t format, bool reference) {
    Encoded e{};
    e.indexWord =
        reference
            ? EncodeColourBlockQuickReference(texels, format, &e.colour0, &e.colour1, &e.grade)
            : EncodeColourBlockQuick(texels, format, &e.colour0, &e.colour1, &e.grade);
    return e;
}

// Runs check once for every vector target, each time with only that target
// allowed, and restores the normal choice afterwards.
void ForEachTarget(const std::function<void(const std::string&)>& check) {
    const std::vector<int64_t> targets = hwy::SupportedAndGeneratedTargets();
    ASSERT_FALSE(targets.empty());
    for (int64_t target : targets) {
        hwy::SetSupportedTargetsForTest(target);
        check(hwy::TargetName(target));
    }
    hwy::SetSupportedTargetsForTest(0);
}

// Both encoders and both formats: the fast paths on every target against
// the references, computed once.
void ExpectSameAsReference(const std::vector<ColourBlock>& blocks,
                           const std::vector<std::string>& names) {
    std::vector<Encoded> exhaustive;
    std::vector<Encoded> quick;
    for (const ColourBlock& block : blocks) {
        for (uint32_t format : kFormats) {
            exhaustive.push_back(Exhaustive(block, format, true));
            quick.push_back(Quick(block, format, true));
        }
    }
    ForEachTarget([&](const std::string& target) {
        size_t n = 0;
        for (size_t b = 0; b < blocks.size(); ++b) {
            for (uint32_t format : kFormats) {
                SCOPED_TRACE(target + " " + names[b] +
                             (format == FORMAT_ATC ? " ATC" : " order mode"));
                ASSERT_EQ(Exhaustive(blocks[b], format, false), exhaustive[n]);
                ASSERT_EQ(Quick(blocks[b], format, false), quick[n]);
                ++n;
            }
        }
    });
}

ColourBlock BlockOf(const std::function<void(int t, uint8_t texel[3])>& fill) {
    ColourBlock block{};
    for (int t = 0; t < 16; ++t) {
        fill(t, block.texel[t]);
    }
    return block;
}

void SetTexel(uint8_t texel[3], int c0, int c1, int c2) {
    texel[0] = static_cast<uint8_t>(c0);
    texel[1] = static_cast<uint8_t>(c1);
    texel[2] = static_cast<uint8_t>(c2);
}

TEST(FastColourEncoders, TellingBlocks) {
    std::vector<ColourBlock> blocks;
    std::vector<std::string> names;
    auto add = [&](const std::string& name, const ColourBlock& block) {
        names.push_back(name);
        blocks.push_back(block);
    };
    add("flat", FlatBlock(200, 100, 50));
    add("flat black", FlatBlock(0, 0, 0));
    add("flat white", FlatBlock(255, 255, 255));
    add("half black white", HalfBlackWhiteBlock());
    add("grey ramp", GreyRampBlock());
    add("black red blue white rows", BlackRedBlueWhiteBlock());
    add("checkerboard", BlockOf([](int t, uint8_t* c) {
            const int v = ((t ^ (t >> 2)) & 1) ? 230 : 20;
            SetTexel(c, v, v / 2, 255 - v);
        }));
    add("horizontal gradient",
        BlockOf([](int t, uint8_t* c) { SetTexel(c, 60 * (t & 3), 255 - 40 * (t & 3), 128); }));
    add("diagonal gradient", BlockOf([](int t, uint8_t* c) {
            const int s = (t & 3) + (t >> 2);
            SetTexel(c, 20 + 30 * s, 10 + 35 * s, 250 - 40 * s);
        }));
    add("saturated channels", BlockOf([](int t, uint8_t* c) {
            SetTexel(c, (t & 1) ? 255 : 0, (t & 2) ? 255 : 0, (t & 4) ? 255 : 0);
        }));
    add("saturated bright and black", BlockOf([](int t, uint8_t* c) {
            if (t < 5) {
                SetTexel(c, 0, 0, 0);
            } else if (t < 10) {
                SetTexel(c, 255, 0, 255);
            } else {
                SetTexel(c, 255, 255, 0);
            }
        }));
    // Dark texels, a bright class and a middle class off the grey line:
    // black mode territory, left to the scalar evaluation.
    add("dark, green, white", BlockOf([](int t, uint8_t* c) {
            if (t < 6) {
                SetTexel(c, 10, 8, 12);
            } else if (t < 11) {
                SetTexel(c, 20, 180, 30);
            } else {
                SetTexel(c, 250, 250, 240);
            }
        }));
    add("dark and bright only", BlockOf([](int t, uint8_t* c) {
            const int v = t < 8 ? 30 + t : 200 + t;
            SetTexel(c, v, v, v);
        }));
    // Equal luminances in different colours: classes that no threshold can
    // split, and candidates whose errors tie.
    add("equal luminance", BlockOf([](int t, uint8_t* c) {
            static const uint8_t colours[4][3] = {
                {255, 0, 0}, {0, 126, 0}, {120, 40, 56}, {75, 75, 75}};
            SetTexel(c, colours[t & 3][0], colours[t & 3][1], colours[t & 3][2]);
        }));
    add("two levels mirrored", BlockOf([](int t, uint8_t* c) {
            const int v = (t == 0 || t == 15) ? 128 : (t < 8 ? 64 : 192);
            SetTexel(c, v, v, v);
        }));
    // Three close greys: several different splits give the least error, and
    // the first of them in the search order must win.
    add("tied splits", BlockOf([](int t, uint8_t* c) {
            static const uint8_t greys[16] = {76, 75, 76, 75, 78, 76, 78, 76,
                                              78, 76, 75, 78, 76, 78, 76, 76};
            SetTexel(c, greys[t], greys[t], greys[t]);
        }));
    add("one odd texel", BlockOf([](int t, uint8_t* c) {
            SetTexel(c, t == 9 ? 255 : 3, t == 9 ? 0 : 3, t == 9 ? 255 : 3);
        }));
    add("luminance on quarter points", BlockOf([](int t, uint8_t* c) {
            // Greys 0, 25, 26, 50, 51, 74, 75, 100 (thresholds 25, 50, 75).
            static const uint8_t greys[8] = {0, 25, 26, 50, 51, 74, 75, 100};
            SetTexel(c, greys[t & 7], greys[t & 7], greys[t & 7]);
        }));
    uint32_t seed = 77;
    add("noise", BlockOf([&](int, uint8_t* c) {
            for (int k = 0; k < 3; ++k) {
                seed = seed * 1664525u + 1013904223u;
                c[k] = static_cast<uint8_t>(seed >> 24);
            }
        }));
    ExpectSameAsReference(blocks, names);
}

uint32_t Next(uint32_t* seed) {
    *seed = *seed * 1664525u + 1013904223u;
    return *seed >> 8;
}

uint8_t Clamp(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// One block of a kind chosen by the seed: noise, few colours, gradients,
// dark plus bright (black mode), near-flat, saturated, equal luminances.
ColourBlock StructuredBlock(uint32_t* seed) {
    uint8_t palette[4][3];
    for (auto& colour : palette) {
        for (uint8_t& channel : colour) {
            channel = static_cast<uint8_t>(Next(seed));
        }
    }
    const uint32_t kind = Next(seed) % 8;
    if (kind == 3) {
        for (int k = 0; k < 3; ++k) {
            palette[0][k] = static_cast<uint8_t>(Next(seed) % 40);
            palette[3][k] = static_cast<uint8_t>(140 + Next(seed) % 116);
        }
    }
    const int spread = static_cast<int>(Next(seed) % 24);
    ColourBlock block{};
    for (int t = 0; t < 16; ++t) {
        const uint32_t pick = Next(seed) % 4;
        for (int k = 0; k < 3; ++k) {
            const int noise =
                spread == 0 ? 0 : static_cast<int>(Next(seed) % (2 * spread + 1)) - spread;
            int v = 0;
            switch (kind) {
                case 0:
                    v = static_cast<int>(Next(seed) & 255);
                    break;
                case 1:
                    v = palette[pick % 2][k];
                    break;
                case 2:
                    v = palette[0][k] + ((palette[1][k] - palette[0][k]) * (t & 3) +
                                         (palette[2][k] - palette[0][k]) * (t >> 2)) /
                                            6;
                    break;
                case 3:
                    v = palette[pick][k] + noise / 4;
                    break;
                case 4:
                    v = palette[0][k] + noise;
                    break;
                case 5:
                    v = (Next(seed) & 1) ? 255 : 0;
                    break;
                case 6:
                    v = palette[pick][k] + noise;
                    break;
                default:
                    v = pick < 2 ? palette[pick][k] : 255 - palette[pick - 2][(k + 1) % 3];
                    break;
            }
            block.texel[t][k] = Clamp(v);
        }
    }
    return block;
}

TEST(FastColourEncoders, ManyRandomAndStructuredBlocks) {
    uint32_t seed = 20240611;
    std::vector<ColourBlock> blocks;
    std::vector<std::string> names;
    for (int n = 0; n < 6000; ++n) {
        blocks.push_back(StructuredBlock(&seed));
        names.push_back("block " + std::to_string(n));
    }
    ExpectSameAsReference(blocks, names);
}

// The constant tables are the colour-code rules: for every channel value,
// the fields and decoded bytes that Encode565, Encode1555 and the decoders
// give.
TEST(FastColourEncoders, ColourTablesAreTheCodeRules) {
    for (int v = 0; v < 256; ++v) {
        const uint8_t b = static_cast<uint8_t>(v);
        const uint16_t code565 = Encode565({{b, b, b}});
        const uint16_t code1555 = Encode1555({{b, b, b}}, 0);
        ASSERT_EQ(colour_tables::kField5.code[v], code565 >> 11) << v;
        ASSERT_EQ(colour_tables::kField6.code[v], (code565 >> 5) & 63) << v;
        ASSERT_EQ(colour_tables::kField5.code[v], code1555 & 31) << v;
        const TexelColour decoded = Decode565(code565);
        ASSERT_EQ(colour_tables::kField5.reconstruct[v], decoded.ch[0]) << v;
        ASSERT_EQ(colour_tables::kField6.reconstruct[v], decoded.ch[1]) << v;
    }
}

// The vector lanes leave black mode to the scalar code by the largest
// channel of class 0's mean (below 39) and of class 3's (above 142).
TEST(FastColourEncoders, BlackModeBoundsAreTheBrightnessTests) {
    for (int v = 0; v < 256; ++v) {
        const uint8_t b = static_cast<uint8_t>(v);
        EXPECT_EQ(IsDark({{b, 0, 0}}), v < 39) << v;
        EXPECT_EQ(ValuePercent({{0, 0, b}}) > 55, v > 142) << v;
    }
}

// The black-mode test's hues in vector lanes (double precision, each step
// rounded as in HueSaturationOf) for every colour there is, on every target.
TEST(FastColourEncoders, LaneHuesAreHueSaturationForEveryColour) {
    constexpr size_t kCount = 256 * 256;
    std::vector<int32_t> colours(3 * kCount);
    std::vector<HueSaturation> expected(kCount);
    std::vector<int32_t> hue(kCount);
    std::vector<int32_t> saturation(kCount);
    for (int c0 = 0; c0 < 256; ++c0) {
        for (size_t i = 0; i < kCount; ++i) {
            colours[i] = c0;
            colours[kCount + i] = static_cast<int32_t>(i >> 8);
            colours[2 * kCount + i] = static_cast<int32_t>(i & 255);
            expected[i] = HueSaturationOf({{static_cast<uint8_t>(c0), static_cast<uint8_t>(i >> 8),
                                            static_cast<uint8_t>(i & 255)}});
        }
        ForEachTarget([&](const std::string& target) {
            LaneHueSaturation(colours.data(), kCount, hue.data(), saturation.data());
            for (size_t i = 0; i < kCount; ++i) {
                if (hue[i] != expected[i].hue || saturation[i] != expected[i].saturation) {
                    FAIL() << target << " colour " << c0 << ", " << (i >> 8) << ", " << (i & 255)
                           << ": hue " << hue[i] << " saturation " << saturation[i] << ", expected "
                           << expected[i].hue << " and " << expected[i].saturation;
                }
            }
        });
        if (HasFailure()) {
            return;
        }
    }
}

TEST(FastColourEncoders, LaneHuesDifferAsHuesDiffer) {
    std::vector<int32_t> a;
    std::vector<int32_t> b;
    for (int x = -1; x < 360; ++x) {
        for (int y = -1; y < 360; ++y) {
            a.push_back(x);
            b.push_back(y);
        }
    }
    while (a.size() % 16 != 0) {
        a.push_back(-1);
        b.push_back(-1);
    }
    std::vector<int32_t> differ(a.size());
    ForEachTarget([&](const std::string& target) {
        LaneHuesDiffer(a.data(), b.data(), a.size(), differ.data());
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(differ[i] != 0, HuesDiffer(a[i], b[i]))
                << target << " " << a[i] << " " << b[i];
        }
    });
}

// The explicit alpha block: each alpha's upper four bits at bits 4t+3..4t,
// over alpha edges and every alpha value.
TEST(FastColourEncoders, ExplicitAlphaNibbles) {
    std::vector<AlphaBlock> blocks;
    for (int edge = 0; edge <= 16; ++edge) {
        AlphaBlock alpha{};
        for (int t = 0; t < 16; ++t) {
            alpha.alpha[t] = t < edge ? 0 : 255;
        }
        blocks.push_back(alpha);
    }
    for (int start = 0; start < 256; start += 16) {
        AlphaBlock alpha{};
        for (int t = 0; t < 16; ++t) {
            alpha.alpha[t] = static_cast<uint8_t>(start + t);
        }
        blocks.push_back(alpha);
    }
    for (const AlphaBlock& alpha : blocks) {
        uint8_t packed[8];
        AtcPackExplicitAlpha(alpha, packed);
        uint64_t value = 0;
        for (int i = 7; i >= 0; --i) {
            value = value << 8 | packed[i];
        }
        for (int t = 0; t < 16; ++t) {
            ASSERT_EQ((value >> (4 * t)) & 15, uint64_t{alpha.alpha[t]} >> 4) << t;
        }
    }
}

}  // namespace
