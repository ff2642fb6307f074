// The fast ETC1 encoder and table search against the reference ones, on
// every Highway target compiled in that this CPU runs, the emulated one
// included.
#include <gtest/gtest.h>
#include <hwy/targets.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "etc1_base_rules.h"
#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"
#include "test_pixels.h"

namespace {

uint8_t Clamp(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

ColourBlock Flat(uint8_t r, uint8_t g, uint8_t b) {
    ColourBlock block;
    for (auto& texel : block.texel) {
        texel[0] = r;
        texel[1] = g;
        texel[2] = b;
    }
    return block;
}

// Blocks whose pixels follow a pattern of up to four colours, one letter per
// pixel in raster order.
ColourBlock Pattern(const char* pattern, std::initializer_list<std::array<uint8_t, 3>> colours) {
    ColourBlock block;
    for (int i = 0; i < 16; ++i) {
        const auto& colour = *(colours.begin() + (pattern[i] - 'a'));
        std::copy(colour.begin(), colour.end(), block.texel[i]);
    }
    return block;
}

std::vector<ColourBlock> TellingBlocks() {
    std::vector<ColourBlock> blocks = StructuredColourBlocks();
    for (int level : {0, 1, 2, 4, 8, 127, 128, 251, 253, 254, 255}) {
        blocks.push_back(Flat(Clamp(level), Clamp(level), Clamp(level)));
    }
    blocks.push_back(Flat(255, 0, 0));
    blocks.push_back(Flat(0, 255, 0));
    blocks.push_back(Flat(0, 0, 255));
    blocks.push_back(Flat(3, 250, 128));
    const std::array<uint8_t, 3> black{0, 0, 0}, white{255, 255, 255}, red{255, 0, 0},
        blue{0, 0, 255};
    blocks.push_back(Pattern("aabbaabbaabbaabb", {black, white}));
    blocks.push_back(Pattern("aaaaaaaabbbbbbbb", {black, white}));
    blocks.push_back(Pattern("abababababababab", {red, blue}));
    blocks.push_back(Pattern("abbaabbaabbaabba", {red, white}));
    blocks.push_back(Pattern("aaaaaaaaaaaaaaab", {{100, 150, 200}, {101, 150, 200}}));
    // The two encoders' errors tie here: the average-colour block must win.
    blocks.push_back(Pattern("aaabaaabbbbababa", {{180, 210, 150}, {143, 136, 39}}));
    // Pixels halfway between two modifiers of a base.
    blocks.push_back(Pattern("abcdabcdabcdabcd",
                             {{96, 96, 96}, {100, 100, 100}, {104, 104, 104}, {108, 108, 108}}));
    ColourBlock ramp;
    for (int i = 0; i < 16; ++i) {
        ramp.texel[i][0] = static_cast<uint8_t>(17 * i);
        ramp.texel[i][1] = static_cast<uint8_t>(255 - 17 * i);
        ramp.texel[i][2] = static_cast<uint8_t>(17 * (i % 4) * 4 % 256);
    }
    blocks.push_back(ramp);
    return blocks;
}

// Blocks of the kinds photographs and textures have: smooth, graded, a few
// colours, saturated or near the ends of the range, and noise.
ColourBlock GeneratedBlock(PixelRandom& random, int kind) {
    ColourBlock block;
    int centre[3];
    int step[2][3];
    for (int c = 0; c < 3; ++c) {
        centre[c] = static_cast<int>(random.Below(256));
        step[0][c] = static_cast<int>(random.Below(33)) - 16;
        step[1][c] = static_cast<int>(random.Below(33)) - 16;
    }
    const int spread = 1 + static_cast<int>(random.Below(kind == 0 ? 8 : 40));
    const ColourBlock palette = RandomColourBlock(random);
    const uint32_t colours = 2 + random.Below(3);
    for (int i = 0; i < 16; ++i) {
        const int x = i % 4;
        const int y = i / 4;
        const uint32_t pick = random.Below(colours);
        for (int c = 0; c < 3; ++c) {
            const int noise = static_cast<int>(random.Below(2 * spread + 1)) - spread;
            switch (kind) {
                case 0:  // smooth
                case 1:  // rough
                    block.texel[i][c] = Clamp(centre[c] + noise);
                    break;
                case 2:  // graded
                    block.texel[i][c] =
                        Clamp(centre[c] + step[0][c] * x + step[1][c] * y + noise / 4);
                    break;
                case 3:  // a few colours
                    block.texel[i][c] = palette.texel[pick][c];
                    break;
                case 4:  // near the ends of the range
                    block.texel[i][c] =
                        Clamp(centre[c] < 128 ? noise + spread : 255 - spread + noise);
                    break;
                case 5:  // one saturated channel
                    block.texel[i][c] =
                        c == static_cast<int>(pick % 3) ? 255 : Clamp(centre[c] + noise);
                    break;
                default:  // noise
                    block.texel[i][c] = random.Byte();
                    break;
            }
        }
    }
    return block;
}

std::vector<ColourBlock> GeneratedBlocks(int count) {
    PixelRandom random(1601);
    std::vector<ColourBlock> blocks;
    for (int n = 0; n < count; ++n) {
        blocks.push_back(GeneratedBlock(random, n % 7));
    }
    return blocks;
}

std::vector<ColourBlock> CorpusBlocks() {
    std::vector<ColourBlock> blocks;
    for (const RgbaImage& crop : CorpusCrops(32)) {
        for (int by = 0; by < crop.height; by += 4) {
            for (int bx = 0; bx < crop.width; bx += 4) {
                blocks.push_back(ImageBlock(crop, bx, by));
            }
        }
    }
    return blocks;
}

std::string Hex(const ColourBlock& block) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const auto& texel : block.texel) {
        for (uint8_t channel : texel) {
            text += digits[channel >> 4];
            text += digits[channel & 15];
        }
        text += ' ';
    }
    return text;
}

// Blocks with the reference encoder's words for them, computed once for all
// targets.
struct EncodedBlocks {
    std::vector<ColourBlock> blocks;
    std::vector<Etc1Words> words;
};

EncodedBlocks EncodeWithReference(std::vector<ColourBlock> blocks) {
    EncodedBlocks encoded;
    for (const ColourBlock& block : blocks) {
        encoded.words.push_back(Etc1EncodeBlockReference(block));
    }
    encoded.blocks = std::move(blocks);
    return encoded;
}

// Counts the blocks whose fast words differ from the reference's, reporting
// the first few.
int CountMismatches(const EncodedBlocks& encoded) {
    int mismatches = 0;
    for (size_t n = 0; n < encoded.blocks.size(); ++n) {
        const Etc1Words& expected = encoded.words[n];
        const Etc1Words actual = Etc1EncodeBlock(encoded.blocks[n]);
        if (actual.word1 != expected.word1 || actual.word2 != expected.word2) {
            if (++mismatches <= 5) {
                ADD_FAILURE() << "block " << Hex(encoded.blocks[n]) << std::hex << ": reference "
                              << expected.word1 << " " << expected.word2 << ", fast "
                              << actual.word1 << " " << actual.word2;
            }
        }
    }
    return mismatches;
}

// A sub-block's pixels as the search takes them.
struct SubblockPlanes {
    int32_t plane[3][8];
    alignas(4) int16_t luma[8];

    SubblockPlanes(const ColourBlock& block, const Etc1Subblock& subblock) {
        for (int k = 0; k < 8; ++k) {
            const uint8_t* texel = block.texel[subblock.pixel[k]];
            for (int c = 0; c < 3; ++c) {
                plane[c][k] = texel[c];
            }
            luma[k] = Etc1CoarseLuma(texel);
        }
    }

    Etc1SubblockLanes View() const { return {{plane[0], plane[1], plane[2]}, luma}; }
};

// The fast search against SearchSubblockTable for one sub-block and base.
::testing::AssertionResult SearchesAgree(const ColourBlock& block, const Etc1Subblock& subblock,
                                         const uint8_t base[3]) {
    const Etc1TableChoice expected = SearchSubblockTable(block, subblock, base);
    const SubblockPlanes planes(block, subblock);
    Etc1FastChoice actual;
    Etc1SearchSubblockFast(planes.View(), base, &actual);
    bool same = actual.codeword == expected.codeword && actual.error == expected.error;
    for (int k = 0; k < 8; ++k) {
        same = same && Etc1CodeOfColumn[actual.column[k]] == expected.code[k];
    }
    if (same) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "block " << Hex(block) << " base " << int(base[0]) << " " << int(base[1]) << " "
           << int(base[2]) << ": reference codeword " << expected.codeword << " error "
           << expected.error << ", fast codeword " << actual.codeword << " error " << actual.error;
}

bool SameBases(const Etc1Bases& a, const Etc1Bases& b) {
    return a.differential == b.differential && std::memcmp(a.field, b.field, sizeof a.field) == 0;
}

Etc1Average AverageOfSums(int red, int green, int blue) {
    return {{static_cast<float>(red * 0.125), static_cast<float>(green * 0.125),
             static_cast<float>(blue * 0.125)}};
}

class Etc1FastTarget : public ::testing::TestWithParam<int64_t> {
  protected:
    void SetUp() override { hwy::SetSupportedTargetsForTest(GetParam()); }
    void TearDown() override { hwy::SetSupportedTargetsForTest(0); }
};

TEST_P(Etc1FastTarget, RunsTheCodeOfTheTarget) { EXPECT_EQ(Etc1FastEncoderTarget(), GetParam()); }

TEST_P(Etc1FastTarget, EncodesTellingBlocksAsTheReference) {
    static const EncodedBlocks encoded = EncodeWithReference(TellingBlocks());
    EXPECT_EQ(CountMismatches(encoded), 0);
}

TEST_P(Etc1FastTarget, EncodesManyGeneratedBlocksAsTheReference) {
    static const EncodedBlocks encoded = EncodeWithReference(GeneratedBlocks(20000));
    EXPECT_EQ(CountMismatches(encoded), 0);
}

TEST_P(Etc1FastTarget, EncodesPhotographBlocksAsTheReference) {
    static const EncodedBlocks encoded = EncodeWithReference(CorpusBlocks());
    if (encoded.blocks.empty()) {
        GTEST_SKIP() << "no corpus beside the repository";
    }
    EXPECT_EQ(CountMismatches(encoded), 0);
}

// Bases the choosers rarely give: the ends of the range and arbitrary ones,
// so that clamped candidates and far-off codewords are searched too.
TEST_P(Etc1FastTarget, SearchesAsTheReferenceAroundAnyBase) {
    PixelRandom random(1602);
    std::vector<ColourBlock> blocks = TellingBlocks();
    for (int n = 0; n < 300; ++n) {
        blocks.push_back(GeneratedBlock(random, n % 7));
    }
    const uint8_t fixed[][3] = {
        {0, 0, 0}, {255, 255, 255}, {0, 255, 0}, {8, 247, 128}, {128, 128, 128}};
    int failures = 0;
    const auto check = [&](const ColourBlock& block, const Etc1Subblock& subblock,
                           const uint8_t base[3]) {
        const ::testing::AssertionResult agree = SearchesAgree(block, subblock, base);
        if (!agree && ++failures <= 5) {
            ADD_FAILURE() << agree.message();
        }
    };
    for (const ColourBlock& block : blocks) {
        for (int flip = 0; flip < 2; ++flip) {
            for (int s = 0; s < 2; ++s) {
                for (const auto& base : fixed) {
                    check(block, Etc1Subblocks[flip][s], base);
                }
                const uint8_t drawn[3] = {random.Byte(), random.Byte(), random.Byte()};
                check(block, Etc1Subblocks[flip][s], drawn);
            }
        }
    }
    EXPECT_EQ(failures, 0);
}

// Every channel sum in each channel of either sub-block, against random
// other sums, and pairs of sums a few 5-bit steps apart.
TEST_P(Etc1FastTarget, ChoosesChromaFitBasesAsTheReference) {
    PixelRandom random(1603);
    int failures = 0;
    const auto check = [&](const int first[3], const int second[3]) {
        const Etc1Average a = AverageOfSums(first[0], first[1], first[2]);
        const Etc1Average b = AverageOfSums(second[0], second[1], second[2]);
        if (!SameBases(Etc1ChromaFitBasesFast(first, second), ChooseChromaFitBases(a, b)) &&
            ++failures <= 5) {
            ADD_FAILURE() << "sums " << first[0] << " " << first[1] << " " << first[2] << " and "
                          << second[0] << " " << second[1] << " " << second[2];
        }
    };
    for (int sum = 0; sum <= 2040; ++sum) {
        for (int c = 0; c < 3; ++c) {
            int first[3] = {int(random.Below(2041)), int(random.Below(2041)),
                            int(random.Below(2041))};
            int second[3];
            for (int k = 0; k < 3; ++k) {
                second[k] = std::clamp(first[k] + int(random.Below(321)) - 160, 0, 2040);
            }
            first[c] = sum;
            check(first, second);
            check(second, first);
        }
    }
    EXPECT_EQ(failures, 0);
}

// The average-colour quantizer tables against ChooseAverageBases for every
// channel sum: equal sums give differential bases, sums 0 and 2040 (5-bit
// values 31 apart) individual ones.
TEST(Etc1AverageTables, MatchTheAverageColourQuantizers) {
    for (int sum = 0; sum <= 2040; ++sum) {
        const Etc1Average average = AverageOfSums(sum, sum, sum);
        const Etc1Bases differential = ChooseAverageBases(average, average);
        ASSERT_TRUE(differential.differential);
        EXPECT_EQ(differential.field[0][0], kEtc1AverageTables.quantize5[sum]) << sum;
        const int far = sum < 1020 ? 2040 : 0;
        const Etc1Bases individual = ChooseAverageBases(average, AverageOfSums(far, far, far));
        ASSERT_FALSE(individual.differential);
        EXPECT_EQ(individual.field[0][0], kEtc1AverageTables.quantize4[sum]) << sum;
    }
}

// The chroma fit's weights are the pairwise products of the luma weights
// 0.299, 0.587 and 0.114, kept as their six-digit literals: red-green is
// the double just above the double product, the other two equal theirs.
TEST(Etc1ChromaFitWeights, ArePairwiseProductsOfTheLumaWeights) {
    EXPECT_EQ(kEtc1RedGreenWeight, std::nextafter(0.299 * 0.587, 1.0));
    EXPECT_EQ(kEtc1RedBlueWeight, 0.299 * 0.114);
    EXPECT_EQ(kEtc1GreenBlueWeight, 0.587 * 0.114);
}

std::string TargetName(const ::testing::TestParamInfo<int64_t>& info) {
    return hwy::TargetName(info.param);
}

INSTANTIATE_TEST_SUITE_P(Targets, Etc1FastTarget,
                         ::testing::ValuesIn(hwy::SupportedAndGeneratedTargets()), TargetName);

}  // namespace
