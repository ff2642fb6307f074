// The normal-map stage: each gradient operator, strength and wrapping, and
// its failures through the entry.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "morlune.h"
#include "morlune_stages.h"

namespace {

struct Rgba {
    uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Rgba& p) {
    return os << "(" << int(p.r) << "," << int(p.g) << "," << int(p.b) << "," << int(p.a) << ")";
}

struct NormalMapRun {
    int32_t code = TRC_OK;
    std::vector<Rgba> pixels;
    std::string errors;
};

// Runs the normal-map stage on a working image of grey levels (alpha 10 + i
// for pixel i) with the destination's layout words set as given.
NormalMapRun MakeNormals(const std::vector<uint8_t>& grey, uint32_t width, uint32_t filter,
                         uint32_t scale, uint32_t wrap) {
    const uint32_t height = uint32_t(grey.size()) / width;
    PixelLayout layout{};
    layout.nNormalMapFilter = filter;
    layout.nNormalMapScale = scale;
    layout.bNormalMapWrap = wrap;
    TextureImage src{width, height, RGBA8888, nullptr, 0, nullptr};
    TextureImage dst{width, height, RGBA8888, &layout, 0, nullptr};
    MorluneStages m(&src, &dst);
    PixelBuffer buffer(new uint8_t[grey.size() * 4]);
    for (size_t i = 0; i < grey.size(); ++i) {
        const uint8_t pixel[4] = {grey[i], grey[i], grey[i], uint8_t(10 + i)};
        std::memcpy(&buffer[i * 4], pixel, 4);
    }
    m.InstallBuffer(std::move(buffer), width, height, 4);
    NormalMapRun run;
    testing::internal::CaptureStderr();
    try {
        m.MakeNormalMap();
    } catch (TReturnCode code) {
        run.code = code;
    }
    run.errors = testing::internal::GetCapturedStderr();
    if (run.code == TRC_OK) {
        EXPECT_EQ(m.Width(), width);
        EXPECT_EQ(m.Height(), height);
        EXPECT_EQ(m.BytesPerPixel(), 4u);
        for (size_t i = 0; i < grey.size(); ++i) {
            Rgba p;
            std::memcpy(&p, m.Buffer() + i * 4, 4);
            run.pixels.push_back(p);
        }
    }
    return run;
}

TEST(MakeNormalMap, FlatAreaPointsStraightUpWithEveryOperatorAndKeepsAlpha) {
    const std::vector<uint8_t> grey(12, 77);
    for (uint32_t filter = 1; filter <= 3; ++filter) {
        for (uint32_t wrap = 0; wrap <= 1; ++wrap) {
            const NormalMapRun run = MakeNormals(grey, 4, filter, 10, wrap);
            ASSERT_EQ(run.code, TRC_OK);
            for (size_t i = 0; i < grey.size(); ++i) {
                EXPECT_EQ(run.pixels[i], (Rgba{128, 128, 255, uint8_t(10 + i)}))
                    << "filter " << filter << " wrap " << wrap << " pixel " << i;
            }
        }
    }
}

TEST(MakeNormalMap, SobelStepLeftOfTheEdge) {
    const std::vector<uint8_t> grey = {0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255};
    const NormalMapRun run = MakeNormals(grey, 4, 2, 10, 0);
    ASSERT_EQ(run.code, TRC_OK);
    for (uint32_t y = 0; y < 3; ++y) {
        EXPECT_EQ(run.pixels[y * 4 + 0], (Rgba{128, 128, 255, uint8_t(10 + y * 4)}));
        EXPECT_EQ(run.pixels[y * 4 + 1], (Rgba{4, 128, 158, uint8_t(11 + y * 4)}));
    }
}

TEST(MakeNormalMap, StrengthScalesTheUpComponent) {
    // Roberts at (0, 0): dx = 255, dy = 0.
    const std::vector<uint8_t> grey = {255, 0, 0, 0};
    struct Case {
        uint32_t scale;
        Rgba pixel;
    };
    for (const Case& c : {Case{10, {217, 128, 217, 10}}, Case{20, {241, 128, 184, 10}},
                          Case{15, {233, 128, 198, 10}}}) {
        const NormalMapRun run = MakeNormals(grey, 2, 1, c.scale, 0);
        ASSERT_EQ(run.code, TRC_OK);
        EXPECT_EQ(run.pixels[0], c.pixel) << "scale " << c.scale;
    }
}

TEST(MakeNormalMap, WrapTakesTheLeftNeighboursOfColumnZeroFromTheLastColumn) {
    const std::vector<uint8_t> grey = {0, 0, 255};
    const NormalMapRun wrapped = MakeNormals(grey, 3, 2, 10, 1);
    ASSERT_EQ(wrapped.code, TRC_OK);
    EXPECT_EQ(wrapped.pixels[0], (Rgba{251, 128, 158, 10}));
    const NormalMapRun clamped = MakeNormals(grey, 3, 2, 10, 0);
    ASSERT_EQ(clamped.code, TRC_OK);
    EXPECT_EQ(clamped.pixels[0], (Rgba{128, 128, 255, 10}));
}

TEST(MakeNormalMap, OnePixelWideRobertsClampsTheRightNeighbourOntoItself) {
    // With x + 1 clamped onto x both diagonals become the same vertical
    // difference, so dx equals dy; on the last row both are 0.
    const std::vector<uint8_t> grey = {255, 0};
    const NormalMapRun run = MakeNormals(grey, 1, 1, 10, 0);
    ASSERT_EQ(run.code, TRC_OK);
    EXPECT_EQ(run.pixels[0], (Rgba{201, 201, 201, 10}));
    EXPECT_EQ(run.pixels[1], (Rgba{128, 128, 255, 11}));
    const std::vector<uint8_t> column = {40, 40, 40};
    for (const Rgba& p : MakeNormals(column, 1, 1, 10, 0).pixels) {
        EXPECT_EQ(p.r, 128);
    }
}

TEST(MakeNormalMap, FilterZeroLeavesTheImageAlone) {
    const NormalMapRun run = MakeNormals({0, 255}, 2, 0, 10, 0);
    ASSERT_EQ(run.code, TRC_OK);
    EXPECT_EQ(run.pixels[0], (Rgba{0, 0, 0, 10}));
    EXPECT_EQ(run.pixels[1], (Rgba{255, 255, 255, 11}));
}

TEST(MakeNormalMap, UnknownFilterAndZeroStrengthFail) {
    const NormalMapRun filter = MakeNormals({1, 2}, 2, 4, 10, 0);
    EXPECT_EQ(filter.code, TRC_FAILED);
    EXPECT_EQ(filter.errors, "Morlune error: Unknown normal map filter \n");
    const NormalMapRun scale = MakeNormals({1, 2}, 2, 1, 0, 0);
    EXPECT_EQ(scale.code, TRC_FAILED);
    EXPECT_EQ(scale.errors, "Morlune error: Normal map scale must not be 0 \n");
}

}  // namespace

namespace {

TEST(MakeNormalMap, RunsOnTheEngineRouteAndItsFailuresReachTheCaller) {
    std::vector<uint8_t> source = {0, 0, 0, 9, 0, 0, 0, 9, 255, 255, 255, 9, 255, 255, 255, 9};
    PixelLayout layout{};
    layout.nNormalMapFilter = 2;
    layout.nNormalMapScale = 10;
    std::vector<uint8_t> out(16, 0);
    TextureImage src{4, 1, RGBA8888, nullptr, 16, source.data()};
    TextureImage dst{4, 1, RGBA8888, &layout, 16, out.data()};
    ASSERT_EQ(MorluneConvert(&src, &dst), TRC_OK);
    EXPECT_EQ(out, (std::vector<uint8_t>{128, 128, 255, 9, 4, 128, 158, 9, 4, 128, 158, 9, 128, 128,
                                         255, 9}));
    layout.nNormalMapScale = 0;
    testing::internal::CaptureStderr();
    EXPECT_EQ(MorluneConvert(&src, &dst), TRC_FAILED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Morlune error: Normal map scale must not be 0 \n");
}

}  // namespace
