// Every block type, both ATC speeds, a whole mip chain of an odd-sized
// picture made level from level as the front end makes it: the same bytes
// with 1, 2, 3 and 7 threads. Also what the encoders tell the progress
// observer during such a conversion.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <thread>
#include <vector>

#include "morlune.h"
#include "parallel.h"
#include "parallel_testing.h"

namespace {

constexpr uint32_t kWidth = 203;
constexpr uint32_t kHeight = 150;

// Gradients, hard edges, noise and an alpha ramp with a cut-out.
std::vector<uint8_t> Picture() {
    std::vector<uint8_t> rgba(size_t(kWidth) * kHeight * 4);
    uint32_t noise = 7;
    for (uint32_t y = 0; y < kHeight; ++y) {
        for (uint32_t x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            uint8_t* p = &rgba[(size_t(y) * kWidth + x) * 4];
            const bool edge = ((x / 13) + (y / 11)) % 2 == 0;
            p[0] = edge ? uint8_t(x * 255 / (kWidth - 1)) : uint8_t(noise >> 16);
            p[1] = edge ? uint8_t(y * 255 / (kHeight - 1)) : uint8_t(noise >> 24);
            p[2] = uint8_t((x + 2 * y) % 256);
            p[3] = (x > 60 && x < 90) ? 0 : uint8_t((y * 3 + (noise >> 28)) % 256);
        }
    }
    return rgba;
}

struct Level {
    PixelLayout layout{};
    TextureImage image{};
    std::vector<uint8_t> data;
};

// Converts source into a new level of format at width x height: a size
// query, then the conversion into a buffer of exactly that size.
void Convert(const TextureImage& source, uint32_t format, uint32_t speed, uint32_t width,
             uint32_t height, Level* level) {
    level->layout.nEncodeSpeed = speed;
    level->layout.nControl = kControlQuiet;
    level->image = TextureImage{width, height, format, &level->layout, 0, nullptr};
    ASSERT_EQ(MorluneConvert(&source, &level->image), TRC_OK);
    level->data.assign(level->image.nDataSize, 0);
    level->image.pData = level->data.data();
    ASSERT_EQ(MorluneConvert(&source, &level->image), TRC_OK);
}

// Every level of the chain, level i made from level i - 1.
std::vector<std::vector<uint8_t>> MakeChain(uint32_t format, uint32_t speed) {
    std::vector<uint8_t> pixels = Picture();
    PixelLayout sourceLayout{};
    sourceLayout.nControl = kControlQuiet;
    const TextureImage picture{
        kWidth, kHeight, RGBA8888, &sourceLayout, uint32_t(pixels.size()), pixels.data()};
    std::vector<Level> levels(8);  // 203 x 150 down to 1 x 1
    std::vector<std::vector<uint8_t>> chain;
    for (size_t i = 0; i < levels.size(); ++i) {
        const TextureImage& source = i == 0 ? picture : levels[i - 1].image;
        Convert(source, format, speed, std::max(kWidth >> i, 1u), std::max(kHeight >> i, 1u),
                &levels[i]);
        chain.push_back(levels[i].data);
    }
    return chain;
}

void UseThreads(const char* count) {
    setenv("VOSTREL_THREADS", count, 1);
    parallel::ResetPoolForTesting();
}

struct ChainCase {
    const char* name;
    uint32_t format;
    uint32_t speed;  // nEncodeSpeed: 1 picks the fast ATC encoder (not for interpolated alpha)
};

void PrintTo(const ChainCase& c, std::ostream* os) { *os << c.name; }

const ChainCase kChains[] = {
    {"AtcRgb", ATC_RGB, 0},
    {"AtcRgbFast", ATC_RGB, 1},
    {"AtcRgbaExplicit", ATC_RGBA_EXPLICIT_ALPHA, 0},
    {"AtcRgbaExplicitFast", ATC_RGBA_EXPLICIT_ALPHA, 1},
    {"AtcRgbaInterpolated", ATC_RGBA_INTERPOLATED_ALPHA, 0},
    {"AtcRgbaInterpolatedFastSetting", ATC_RGBA_INTERPOLATED_ALPHA, 1},
    {"Etc1Rgb8", ETC1_RGB8, 0},
    {"ThreeDcX", TF_3DC_X, 0},
    {"ThreeDcXY", TF_3DC_XY, 0},
};

class ThreadCountIdentityTest : public ::testing::TestWithParam<ChainCase> {
  protected:
    void TearDown() override {
        unsetenv("VOSTREL_THREADS");
        parallel::ResetPoolForTesting();
    }
};

TEST_P(ThreadCountIdentityTest, EveryLevelIsTheSameForEveryThreadCount) {
    const ChainCase& c = GetParam();
    UseThreads("1");
    ASSERT_EQ(parallel::ThreadCount(), 1u);
    const std::vector<std::vector<uint8_t>> alone = MakeChain(c.format, c.speed);
    ASSERT_FALSE(HasFailure());
    for (const char* threads : {"2", "3", "7"}) {
        UseThreads(threads);
        ASSERT_EQ(parallel::ThreadCount(), unsigned(std::atoi(threads)));
        const std::vector<std::vector<uint8_t>> shared = MakeChain(c.format, c.speed);
        ASSERT_FALSE(HasFailure());
        ASSERT_EQ(shared.size(), alone.size());
        for (size_t i = 0; i < alone.size(); ++i) {
            EXPECT_TRUE(shared[i] == alone[i])
                << "level " << i << " with " << threads << " threads";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Types, ThreadCountIdentityTest, ::testing::ValuesIn(kChains));

struct Report {
    uint64_t done;
    uint64_t total;
    std::thread::id thread;
};

void Record(void* context, uint64_t done, uint64_t total) {
    static_cast<std::vector<Report>*>(context)->push_back(
        {done, total, std::this_thread::get_id()});
}

// A level made from the level before decodes, reduces and encodes on the
// pool; only the encoding reports, in blocks of the new level.
TEST(EncodeProgress, OnlyTheEncodeReportsItsBlocksFromStartToEnd) {
    UseThreads("3");
    std::vector<uint8_t> pixels = Picture();
    PixelLayout sourceLayout{};
    sourceLayout.nControl = kControlQuiet;
    const TextureImage picture{
        kWidth, kHeight, RGBA8888, &sourceLayout, uint32_t(pixels.size()), pixels.data()};
    for (const ChainCase& c : kChains) {
        Level level0;
        Convert(picture, c.format, c.speed, kWidth, kHeight, &level0);
        std::vector<Report> reports;
        parallel::SetProgressObserver(Record, &reports);
        Level level1;
        Convert(level0.image, c.format, c.speed, kWidth / 2, kHeight / 2, &level1);
        parallel::SetProgressObserver(nullptr, nullptr);
        ASSERT_FALSE(HasFailure()) << c.name;

        const uint64_t blocks = uint64_t((kWidth / 2 + 3) / 4) * ((kHeight / 2 + 3) / 4);
        ASSERT_GE(reports.size(), 2u) << c.name;
        EXPECT_EQ(reports.front().done, 0u) << c.name;
        EXPECT_EQ(reports.back().done, blocks) << c.name;
        for (size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].total, blocks) << c.name << ", report " << i;
            EXPECT_EQ(reports[i].thread, std::this_thread::get_id()) << c.name;
            if (i > 0) {
                EXPECT_GT(reports[i].done, reports[i - 1].done) << c.name << ", report " << i;
            }
        }
    }
    unsetenv("VOSTREL_THREADS");
    parallel::ResetPoolForTesting();
}

}  // namespace
