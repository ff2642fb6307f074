// Orientation and resampling: ApplyFlip, Enlarge and Reduce with each
// filter, in the 8-bit and the float form.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine_test_images.h"
#include "morlune_stages.h"
#include "reduce_filters.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Floats = std::vector<float>;

// A 4-byte pixel that names its position: red x, green y, blue 7, alpha 200.
Bytes PositionImage(uint32_t width, uint32_t height) {
    Bytes pixels;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            pixels.insert(pixels.end(), {uint8_t(x), uint8_t(y), 7, 200});
        }
    }
    return pixels;
}

// The same in the float form: (x, y, 0.5, 1).
Floats PositionImageFloat(uint32_t width, uint32_t height) {
    Floats pixels;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            pixels.insert(pixels.end(), {float(x), float(y), 0.5f, 1.0f});
        }
    }
    return pixels;
}

// A converter from a source to a destination of the given sizes, with a
// working image installed, so that each stage can be run on its own.
struct Stage {
    TestImage source;
    TestImage destination;
    MorluneStages converter{source.get(), destination.get()};

    Stage(uint32_t width, uint32_t height, uint32_t toWidth, uint32_t toHeight, uint32_t filter = 0)
        : source(width, height, RGBA8888), destination(toWidth, toHeight, RGBA8888) {
        destination.layout.nScaleFilter = filter;
    }

    template <typename T>
    void Install(const std::vector<T>& pixels, uint32_t bytesPerPixel) {
        const size_t bytes = pixels.size() * sizeof(T);
        ASSERT_EQ(bytes, size_t(source->nWidth) * source->nHeight * bytesPerPixel);
        PixelBuffer buffer = converter.Allocate(bytes);
        std::memcpy(buffer.get(), pixels.data(), bytes);
        converter.InstallBuffer(std::move(buffer), source->nWidth, source->nHeight, bytesPerPixel);
    }

    Bytes Working() const {
        const size_t bytes =
            size_t(converter.Width()) * converter.Height() * converter.BytesPerPixel();
        return Bytes(converter.Buffer(), converter.Buffer() + bytes);
    }
    Floats WorkingFloats() const {
        Floats values(size_t(converter.Width()) * converter.Height() * 4);
        std::memcpy(values.data(), converter.Buffer(), values.size() * sizeof(float));
        return values;
    }
    Bytes PixelAt(uint32_t x, uint32_t y) const {
        const Bytes all = Working();
        const size_t at = (size_t(y) * converter.Width() + x) * 4;
        return Bytes(all.begin() + at, all.begin() + at + 4);
    }
    Floats FloatPixelAt(uint32_t x, uint32_t y) const {
        const Floats all = WorkingFloats();
        const size_t at = (size_t(y) * converter.Width() + x) * 4;
        return Floats(all.begin() + at, all.begin() + at + 4);
    }
    // Enlarge and Reduce, as the routes run them.
    void Resample() {
        converter.Enlarge();
        converter.Reduce();
    }
};

TEST(ApplyFlip, LeavesTheBufferAloneWithoutFlags) {
    Stage stage(3, 2, 3, 2);
    stage.Install(PositionImage(3, 2), 4);
    const uint8_t* before = stage.converter.Buffer();
    stage.converter.ApplyFlip();
    EXPECT_EQ(stage.converter.Buffer(), before);
    EXPECT_EQ(stage.Working(), PositionImage(3, 2));
}

TEST(ApplyFlip, FlagsOnBothImagesCancel) {
    Stage stage(3, 2, 3, 2);
    stage.source.layout.bFlipX = 1;
    stage.source.layout.bFlipY = 1;
    stage.destination.layout.bFlipX = 5;
    stage.destination.layout.bFlipY = 1;
    stage.Install(PositionImage(3, 2), 4);
    stage.converter.ApplyFlip();
    EXPECT_EQ(stage.Working(), PositionImage(3, 2));
}

TEST(ApplyFlip, SourceUpsideDownPutsItsLastRowFirst) {
    Stage stage(3, 2, 3, 2);
    stage.source.layout.bFlipY = 1;
    stage.Install(PositionImage(3, 2), 4);
    stage.converter.ApplyFlip();
    for (uint32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(stage.PixelAt(x, 0), (Bytes{uint8_t(x), 1, 7, 200}));
        EXPECT_EQ(stage.PixelAt(x, 1), (Bytes{uint8_t(x), 0, 7, 200}));
    }
}

TEST(ApplyFlip, MirrorsFloatPixelsWhole) {
    Stage stage(3, 2, 3, 2);
    stage.destination.layout.bFlipX = 1;
    stage.Install(PositionImageFloat(3, 2), 16);
    stage.converter.ApplyFlip();
    for (uint32_t y = 0; y < 2; ++y) {
        for (uint32_t x = 0; x < 3; ++x) {
            EXPECT_EQ(stage.FloatPixelAt(x, y), (Floats{float(2 - x), float(y), 0.5f, 1.0f}));
        }
    }
}

struct EnlargeCase {
    const char* name;
    uint32_t width, height, toWidth, toHeight;
    // Expected source column and row of each output pixel, row by row.
    std::vector<std::pair<uint8_t, uint8_t>> from;
};

const EnlargeCase kEnlargements[] = {
    {"TwoByTwoToFourByFour",
     2,
     2,
     4,
     4,
     {{0, 0},
      {0, 0},
      {1, 0},
      {1, 0},
      {0, 0},
      {0, 0},
      {1, 0},
      {1, 0},
      {0, 1},
      {0, 1},
      {1, 1},
      {1, 1},
      {0, 1},
      {0, 1},
      {1, 1},
      {1, 1}}},
    {"TwoByTwoToFourByTwo",
     2,
     2,
     4,
     2,
     {{0, 0}, {0, 0}, {1, 0}, {1, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 1}}},
    // A ratio that is not whole (2 to 3, factor 1) would read column 2, past
    // the row; the last column repeats column 1 instead.
    {"NotWholeRatioRepeatsTheLastColumn", 2, 1, 3, 1, {{0, 0}, {1, 0}, {1, 0}}},
    {"NotWholeRatioRepeatsTheLastRow", 1, 2, 1, 3, {{0, 0}, {0, 1}, {0, 1}}},
    {"NotWholeRatioBothWays",
     2,
     2,
     5,
     3,
     {{0, 0},
      {0, 0},
      {1, 0},
      {1, 0},
      {1, 0},
      {0, 1},
      {0, 1},
      {1, 1},
      {1, 1},
      {1, 1},
      {0, 1},
      {0, 1},
      {1, 1},
      {1, 1},
      {1, 1}}},
};

class Enlarge : public testing::TestWithParam<EnlargeCase> {};

TEST_P(Enlarge, RepeatsWholePixels) {
    const EnlargeCase& c = GetParam();
    Stage bytes(c.width, c.height, c.toWidth, c.toHeight);
    bytes.Install(PositionImage(c.width, c.height), 4);
    bytes.converter.Enlarge();
    Stage floats(c.width, c.height, c.toWidth, c.toHeight);
    floats.Install(PositionImageFloat(c.width, c.height), 16);
    floats.converter.Enlarge();
    ASSERT_EQ(bytes.converter.Width(), c.toWidth);
    ASSERT_EQ(bytes.converter.Height(), c.toHeight);
    ASSERT_EQ(floats.converter.Width(), c.toWidth);
    for (uint32_t i = 0; i < c.from.size(); ++i) {
        const uint32_t x = i % c.toWidth;
        const uint32_t y = i / c.toWidth;
        const auto [fromX, fromY] = c.from[i];
        EXPECT_EQ(bytes.PixelAt(x, y), (Bytes{fromX, fromY, 7, 200})) << x << "," << y;
        EXPECT_EQ(floats.FloatPixelAt(x, y), (Floats{float(fromX), float(fromY), 0.5f, 1.0f}));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, Enlarge, testing::ValuesIn(kEnlargements),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Enlarge, DoesNothingWhenTheDestinationIsNotLarger) {
    Stage stage(4, 4, 2, 4);
    stage.Install(PositionImage(4, 4), 4);
    stage.converter.Enlarge();
    EXPECT_EQ(stage.converter.Width(), 4u);
    EXPECT_EQ(stage.Working(), PositionImage(4, 4));
}

struct PointCase {
    const char* name;
    uint32_t width, height, toWidth, toHeight;
    uint32_t x, y;           // output pixel
    uint8_t byteX, byteY;    // pixel picked in the 8-bit form
    uint8_t floatX, floatY;  // and in the float form
};

const PointCase kPoints[] = {
    {"EightToOne", 8, 8, 1, 1, 0, 0, 4, 4, 3, 3},
    {"TwoToOne", 2, 2, 1, 1, 0, 0, 1, 1, 0, 0},
    {"SixToTwoSecondCell", 6, 6, 2, 2, 1, 1, 4, 4, 3, 3},
    {"ThreeToOne", 3, 3, 1, 1, 0, 0, 1, 1, 0, 0},
    // An axis that is not reduced samples the next column or row in the 8-bit
    // form; on the last one that lies past the image, so it stays on the last.
    {"UnreducedRowFirst", 4, 2, 2, 2, 0, 0, 1, 1, 0, 0},
    {"UnreducedRowLast", 4, 2, 2, 2, 1, 1, 3, 1, 2, 1},
    {"UnreducedColumnLast", 3, 4, 3, 2, 2, 1, 2, 3, 2, 2},
};

class PointFilterTest : public testing::TestWithParam<PointCase> {};

TEST_P(PointFilterTest, PicksItsFormsPixel) {
    const PointCase& c = GetParam();
    Stage bytes(c.width, c.height, c.toWidth, c.toHeight, 1);
    bytes.Install(PositionImage(c.width, c.height), 4);
    bytes.Resample();
    EXPECT_EQ(bytes.PixelAt(c.x, c.y), (Bytes{c.byteX, c.byteY, 7, 200}));
    Stage floats(c.width, c.height, c.toWidth, c.toHeight, 1);
    floats.Install(PositionImageFloat(c.width, c.height), 16);
    floats.Resample();
    EXPECT_EQ(floats.FloatPixelAt(c.x, c.y),
              (Floats{float(c.floatX), float(c.floatY), 0.5f, 1.0f}));
}

INSTANTIATE_TEST_SUITE_P(Cells, PointFilterTest, testing::ValuesIn(kPoints),
                         [](const auto& info) { return std::string(info.param.name); });

// A 4 x 4 image whose 2 x 2 squares hold red 0, 1, 1, 1 (mean 0.75, rounded
// down to 0) and green 10, 20, 30, 41 (mean 25.25).
Bytes SquaresImage() {
    Bytes pixels(4 * 4 * 4, 0);
    const uint8_t reds[2][2] = {{0, 1}, {1, 1}};
    const uint8_t greens[2][2] = {{10, 20}, {30, 41}};
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 4; ++x) {
            uint8_t* p = &pixels[(y * 4 + x) * 4];
            p[0] = reds[y % 2][x % 2];
            p[1] = greens[y % 2][x % 2];
            p[2] = uint8_t(x * 4 + y);
            p[3] = 255;
        }
    }
    return pixels;
}

TEST(Reduce, BoxAndFourSamplesAverageEachSquareRoundingDown) {
    for (uint32_t filter : {0u, 2u, 3u}) {
        Stage stage(4, 4, 2, 2, filter);
        stage.Install(SquaresImage(), 4);
        stage.Resample();
        ASSERT_EQ(stage.converter.Width(), 2u);
        ASSERT_EQ(stage.converter.Height(), 2u);
        for (uint32_t y = 0; y < 2; ++y) {
            for (uint32_t x = 0; x < 2; ++x) {
                // Blue: (4x*2+2y*2) over the square's four values, mean 8x+2y+2.5.
                const uint8_t blue = uint8_t(8 * x + 2 * y + 2);
                EXPECT_EQ(stage.PixelAt(x, y), (Bytes{0, 25, blue, 255})) << filter;
            }
        }
    }
}

TEST(Reduce, BoxIgnoresColumnsAndRowsPastTheLastCell) {
    Bytes pixels(5 * 5 * 4, 0);
    for (uint32_t i = 0; i < 5; ++i) {
        for (uint32_t c = 0; c < 4; ++c) {
            pixels[(i * 5 + 4) * 4 + c] = 255;  // column 4
            pixels[(4 * 5 + i) * 4 + c] = 255;  // row 4
        }
    }
    Stage stage(5, 5, 2, 2, 0);
    stage.Install(pixels, 4);
    stage.Resample();
    EXPECT_EQ(stage.Working(), Bytes(16, 0));
}

TEST(Reduce, FourSamplesUseTheCellsQuarterOffsets) {
    // 8 x 1 to 1 x 1: columns 0 and (2 * 8 + 1) / 4 = 4; the row is not reduced.
    Bytes pixels(8 * 4, 0);
    pixels[0 * 4] = 100;
    pixels[4 * 4] = 200;
    pixels[1 * 4] = 255;  // unused
    Stage stage(8, 1, 1, 1, 3);
    stage.Install(pixels, 4);
    stage.Resample();
    EXPECT_EQ(stage.Working(), (Bytes{150, 0, 0, 0}));
}

TEST(Reduce, FloatFormsAverageWithoutRounding) {
    const float square[2][2] = {{0.25f, 0.5f}, {0.125f, 1.0f}};
    Floats pixels;
    for (uint32_t y = 0; y < 4; ++y) {
        for (uint32_t x = 0; x < 4; ++x) {
            const float v = square[y % 2][x % 2];
            pixels.insert(pixels.end(), {v, v * 2.0f, -v, 1.0f});
        }
    }
    for (uint32_t filter : {0u, 3u}) {
        Stage stage(4, 4, 2, 2, filter);
        stage.Install(pixels, 16);
        stage.Resample();
        EXPECT_EQ(stage.WorkingFloats(), ([] {
                      Floats expected;
                      for (int i = 0; i < 4; ++i) {
                          expected.insert(expected.end(), {0.46875f, 0.9375f, -0.46875f, 1.0f});
                      }
                      return expected;
                  }()))
            << filter;
    }
}

TEST(Reduce, BSplineKernelAtItsOffsets) {
    EXPECT_EQ(BSplineWeight(-1.0f), 0.16666667f);
    EXPECT_EQ(BSplineWeight(1.0f), 0.16666667f);
    EXPECT_EQ(BSplineWeight(0.0f), 4.0f * 0.16666667f);
    EXPECT_EQ(BSplineWeight(2.0f), 0.0f);
}

TEST(Reduce, BSplineOnAUniformAreaLosesOneAtTheTop) {
    struct Case {
        uint8_t value;
        uint8_t reduced;
    };
    for (const Case c : {Case{255, 254}, Case{128, 128}, Case{0, 0}}) {
        Stage stage(8, 8, 2, 2, 4);
        stage.Install(Bytes(8 * 8 * 4, c.value), 4);
        stage.Resample();
        EXPECT_EQ(stage.Working(), Bytes(2 * 2 * 4, c.reduced)) << int(c.value);
    }
}

TEST(Reduce, BSplineWeighsTheCentreFourTimesItsNeighbours) {
    // 4 x 1 to 1 x 1: fx = 4, hx = 2, so columns 1, 2, 3, 4 (clamped to 3)
    // with weights 1/6, 4/6, 1/6, 0; every row is the same row.
    Bytes pixels(4 * 4, 0);
    pixels[1 * 4] = 60;
    pixels[2 * 4] = 120;
    pixels[3 * 4] = 240;
    pixels[0 * 4] = 255;  // outside the kernel
    Stage stage(4, 1, 1, 1, 4);
    stage.Install(pixels, 4);
    stage.Resample();
    // 60 / 6 + 120 * 4 / 6 + 240 / 6 = 130.
    EXPECT_EQ(stage.Working()[0], 130);

    Floats floats(4 * 4, 0.0f);
    floats[1 * 4] = 60.0f;
    floats[2 * 4] = 120.0f;
    floats[3 * 4] = 240.0f;
    Stage floatStage(4, 1, 1, 1, 4);
    floatStage.Install(floats, 16);
    floatStage.Resample();
    EXPECT_FLOAT_EQ(floatStage.WorkingFloats()[0], 130.0f);
}

TEST(Reduce, FiltersAboveFiveGiveTransparentBlack) {
    for (uint32_t filter : {6u, 7u, 0xFFFFFFFFu}) {
        Stage bytes(4, 4, 2, 2, filter);
        bytes.Install(Bytes(4 * 4 * 4, 0x99), 4);
        bytes.Resample();
        EXPECT_EQ(bytes.Working(), Bytes(2 * 2 * 4, 0)) << filter;
        Stage floats(4, 4, 2, 2, filter);
        floats.Install(Floats(4 * 4 * 4, 0.75f), 16);
        floats.Resample();
        EXPECT_EQ(floats.WorkingFloats(), Floats(2 * 2 * 4, 0.0f)) << filter;
    }
}

TEST(Reduce, FilterFiveWarnsOncePerPixelAndUsesTheBox) {
    Stage stage(4, 4, 2, 2, 5);
    stage.Install(SquaresImage(), 4);
    testing::internal::CaptureStderr();
    stage.Resample();
    const std::string warning = EngineMessage("Unimplemented scalefiler");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), warning + warning + warning + warning);
    Stage box(4, 4, 2, 2, 0);
    box.Install(SquaresImage(), 4);
    box.Resample();
    EXPECT_EQ(stage.Working(), box.Working());
}

TEST(Reduce, FilterFiveIsQuietWhenTheConverterIs) {
    Stage stage(4, 4, 2, 2, 5);
    stage.Install(SquaresImage(), 4);
    stage.converter.SetVerbose(false);
    testing::internal::CaptureStderr();
    stage.Resample();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(Resample, WidthGrowsAndHeightShrinksInOnePass) {
    // 4 x 4 to 8 x 2: each pixel doubled in its row, then rows 0-1 and 2-3
    // averaged.
    Stage stage(4, 4, 8, 2, 0);
    stage.Install(PositionImage(4, 4), 4);
    stage.converter.Enlarge();
    EXPECT_EQ(stage.converter.Width(), 8u);
    EXPECT_EQ(stage.converter.Height(), 4u);
    stage.converter.Reduce();
    ASSERT_EQ(stage.converter.Width(), 8u);
    ASSERT_EQ(stage.converter.Height(), 2u);
    for (uint32_t y = 0; y < 2; ++y) {
        for (uint32_t x = 0; x < 8; ++x) {
            // Green is the mean of rows 2y and 2y + 1, rounded down.
            EXPECT_EQ(stage.PixelAt(x, y), (Bytes{uint8_t(x / 2), uint8_t(2 * y), 7, 200}));
        }
    }
}

TEST(Resample, NothingChangesAtTheDestinationsSize) {
    Stage stage(3, 3, 3, 3, 4);
    stage.Install(PositionImage(3, 3), 4);
    const uint8_t* before = stage.converter.Buffer();
    stage.Resample();
    EXPECT_EQ(stage.converter.Buffer(), before);
}

}  // namespace
