// ImgSize and ImgInfo: each format's byte count, the layout block's
// overrides and defaults, and the order of their checks.
#include <gtest/gtest.h>

#include <ostream>

#include "engine_test_images.h"
#include "morlune_stages.h"

namespace {

// The code that an ImgInfo or ImgSize call throws, or TRC_OK.
template <typename Call>
TReturnCode Thrown(Call call) {
    try {
        call();
    } catch (TReturnCode code) {
        return code;
    }
    return TRC_OK;
}

struct ImgSizeCase {
    uint32_t width;
    uint32_t height;
    uint32_t format;
    uint32_t pitch;
    uint32_t size;
};

void PrintTo(const ImgSizeCase& c, std::ostream* os) {
    *os << c.width << " x " << c.height << " format " << c.format << " pitch " << c.pitch;
}

class ImgSize : public testing::TestWithParam<ImgSizeCase> {};

TEST_P(ImgSize, CountsTheImagesBytes) {
    const ImgSizeCase& c = GetParam();
    TestImage image(c.width, c.height, c.format);
    image.layout.nPitch = c.pitch;
    const MorluneStages converter(nullptr, nullptr);
    EXPECT_EQ(converter.ImgSize(image.get()), c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, ImgSize,
    testing::Values(ImgSizeCase{5, 3, RGB888, 0, 45}, ImgSizeCase{5, 3, RGB888, 16, 48},
                    ImgSizeCase{3, 3, PAL4_RGB565, 0, 32 + 5},
                    ImgSizeCase{3, 3, PAL4_RGB565, 64, 32 + 5},  // palettes ignore nPitch
                    ImgSizeCase{10, 1, PAL1_RGBA8888, 0, 8 + 2},
                    ImgSizeCase{1, 1, ATC_RGBA_EXPLICIT_ALPHA, 0, 16},
                    ImgSizeCase{1, 1, ATC_RGB, 0, 8},
                    ImgSizeCase{1, 1, ATC_RGBA_INTERPOLATED_ALPHA, 0, 16},
                    ImgSizeCase{5, 3, ETC1_RGB8, 0, 16}, ImgSizeCase{1, 1, TF_3DC_X, 0, 8},
                    ImgSizeCase{1, 1, TF_3DC_XY, 0, 16}, ImgSizeCase{3, 2, RGB16, 0, 36},
                    ImgSizeCase{3, 2, RGBA16F, 0, 48}, ImgSizeCase{3, 2, L24, 0, 18}));

TEST(ImgSize, RefusesMoreThanFourGibibytes) {
    const MorluneStages converter(nullptr, nullptr);
    TestImage wide(65536, 65536, RGBA8888);
    // A row alone can be too long to count in 32 bits.
    TestImage longRow(0x20000000, 1, RGBA32F);
    TestImage blocks(0x40000000, 0x10, ATC_RGBA_EXPLICIT_ALPHA);
    for (TestImage* image : {&wide, &longRow, &blocks}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(Thrown([&] { converter.ImgSize(image->get()); }), TRC_FAILED);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), EngineMessage("Image too large"));
    }
    TestImage largest(65535, 65535, A8);
    EXPECT_EQ(converter.ImgSize(largest.get()), 65535u * 65535u);
}

TEST(ImgInfo, AnswersFromTheFormatAndTheLayout) {
    const MorluneStages converter(nullptr, nullptr);
    TestImage palette(3, 1, PAL4_RGB565);
    EXPECT_EQ(converter.ImgInfo(palette.get(), INFO_PITCH), 2u);
    TestImage withoutBlock(1, 1, RGBA8888, {}, false);
    EXPECT_EQ(converter.ImgInfo(withoutBlock.get(), INFO_NORMAL_MAP_SCALE), 10u);
    TestImage zeroedBlock(1, 1, RGBA8888);
    EXPECT_EQ(converter.ImgInfo(zeroedBlock.get(), INFO_NORMAL_MAP_SCALE), 0u);
    TestImage overridden(1, 1, RGBA8888);
    overridden.layout.nRedMask = 0x0000FF00;
    EXPECT_EQ(converter.ImgInfo(overridden.get(), INFO_RED_MASK), 0x0000FF00u);
    EXPECT_EQ(converter.ImgInfo(overridden.get(), INFO_GREEN_MASK), 0x0000FF00u);
    EXPECT_EQ(converter.ImgInfo(overridden.get(), INFO_BLUE_MASK), 0x00FF0000u);
    EXPECT_EQ(converter.ImgInfo(overridden.get(), INFO_ALPHA_MASK), 0xFF000000u);
}

TEST(ImgInfo, ANullImageAnswersZeroForEveryField) {
    const MorluneStages converter(nullptr, nullptr);
    for (uint32_t field = 0; field <= 19; ++field) {
        EXPECT_EQ(converter.ImgInfo(nullptr, field), 0u) << field;
    }
}

TEST(ImgInfo, ChecksTheFormatBeforeTheField) {
    MorluneStages converter(nullptr, nullptr);
    TestImage unassigned(1, 1, 28);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Thrown([&] { converter.ImgInfo(unassigned.get(), 19); }), TRC_UNSUPPORTED_FORMAT);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              EngineMessage("ImgInfo unsupported pInput->nFormat"));
    TestImage known(1, 1, RGB565);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Thrown([&] { converter.ImgInfo(known.get(), 19); }), TRC_FAILED);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), EngineMessage("ImgInfo missing info field"));
}

}  // namespace
