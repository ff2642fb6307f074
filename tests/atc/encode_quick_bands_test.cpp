// The quick encoder's verdict comes from the grades of every band, added up
// in band order: the same verdict and bytes for every thread count, with
// the grades that decide it spread over several bands.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "atc_fixtures.h"
#include "parallel.h"
#include "parallel_testing.h"

namespace {

constexpr int kAcross = 16;  // blocks a row: bands of 8 block rows
constexpr int kRows = 64;    // 8 bands

// An image whose block (column, row) is blocks[row * kAcross + column].
std::vector<uint8_t> ImageOfGrid(const std::vector<ColourBlock>& blocks) {
    const size_t width = 4 * kAcross;
    std::vector<uint8_t> image(width * 4 * kRows * 4);
    for (size_t b = 0; b < blocks.size(); ++b) {
        const size_t x0 = 4 * (b % kAcross);
        const size_t y0 = 4 * (b / kAcross);
        for (int t = 0; t < 16; ++t) {
            uint8_t* pixel = &image[((y0 + t / 4) * width + x0 + t % 4) * 4];
            pixel[0] = blocks[b].texel[t][0];
            pixel[1] = blocks[b].texel[t][1];
            pixel[2] = blocks[b].texel[t][2];
            pixel[3] = 255;
        }
    }
    return image;
}

int32_t EncodeQuick(const std::vector<uint8_t>& image, std::vector<uint8_t>* output) {
    output->assign(8 * kAcross * kRows, 0xCC);
    uint32_t size = static_cast<uint32_t>(output->size());
    ATI_TC_Header header{};
    return ATI_TC_EncodeFast(image.data(), kRed, kGreen, kBlue, kAlpha, 4 * kAcross, 4 * kRows,
                             16 * kAcross, FLAG_NO_ALPHA, FORMAT_ATC, &header, output->data(),
                             &size);
}

// The last `count` blocks are grey ramps (grade 1183), the rest grade 0.
std::vector<ColourBlock> RampsAtTheEnd(int count) {
    std::vector<ColourBlock> blocks(kAcross * kRows, HalfBlackWhiteBlock());
    for (int b = kAcross * kRows - count; b < kAcross * kRows; ++b) {
        blocks[b] = GreyRampBlock();
    }
    return blocks;
}

TEST(AtiTcEncodeFastBands, VerdictAndBytesAreTheSameForEveryThreadCount) {
    std::vector<ColourBlock> worstLast(kAcross * kRows, HalfBlackWhiteBlock());
    worstLast.back() = BlackRedBlueWhiteBlock();  // grade 24190
    std::vector<ColourBlock> firstBandPerfect(kAcross * kRows, GreyRampBlock());
    for (int b = 0; b < 8 * kAcross; ++b) {
        firstBandPerfect[b] = HalfBlackWhiteBlock();
    }
    const struct {
        const char* name;
        std::vector<ColourBlock> blocks;
        int32_t result;
    } cases[] = {
        {"one bad block in the last band", worstLast, RESULT_LOW_QUALITY},
        {"a perfect first band, ramps after it", firstBandPerfect, RESULT_LOW_QUALITY},
        {"216 ramps over two bands: average 249", RampsAtTheEnd(216), RESULT_OK},
        {"217 ramps over two bands: average 250", RampsAtTheEnd(217), RESULT_LOW_QUALITY},
        {"every block flat, grade 6",
         std::vector<ColourBlock>(kAcross * kRows, FlatBlock(200, 100, 50)), RESULT_OK},
    };
    for (const auto& c : cases) {
        const std::vector<uint8_t> image = ImageOfGrid(c.blocks);
        std::vector<uint8_t> alone;
        setenv("VOSTREL_THREADS", "1", 1);
        parallel::ResetPoolForTesting();
        EXPECT_EQ(EncodeQuick(image, &alone), c.result) << c.name;
        for (const char* threads : {"2", "3", "7"}) {
            setenv("VOSTREL_THREADS", threads, 1);
            parallel::ResetPoolForTesting();
            ASSERT_EQ(parallel::ThreadCount(), unsigned(std::atoi(threads)));
            std::vector<uint8_t> shared;
            EXPECT_EQ(EncodeQuick(image, &shared), c.result)
                << c.name << ", " << threads << " threads";
            EXPECT_TRUE(shared == alone) << c.name << ", " << threads << " threads";
        }
    }
    unsetenv("VOSTREL_THREADS");
    parallel::ResetPoolForTesting();
}

}  // namespace
