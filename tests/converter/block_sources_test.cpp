// Block-compressed sources and destinations of the engine: sizes that the
// codecs' 32-bit counts could not hold are refused, and each block format's
// data size.
#include <gtest/gtest.h>

#include <ostream>

#include "engine_test_images.h"

namespace {

struct HugeSourceCase {
    const char* name;
    uint32_t format;
    uint32_t width;
    uint32_t height;
};

void PrintTo(const HugeSourceCase& c, std::ostream* os) { *os << c.name; }

class HugeSource : public testing::TestWithParam<HugeSourceCase> {};

// Sources whose data fits in 4 GiB but whose 8-bit working image would not
// are refused before any codec or allocation sees them; the data is never
// read (its size is not stated, and only 16 bytes exist).
TEST_P(HugeSource, FailsWithImageTooLarge) {
    const HugeSourceCase& c = GetParam();
    TestImage source(c.width, c.height, c.format, std::vector<uint8_t>(16));
    source->nDataSize = 0;
    TestImage destination(1, 1, RGBA8888, std::vector<uint8_t>(4));
    const ConvertResult result = ConvertCapturing(source.get(), destination.get());
    EXPECT_EQ(result.code, TRC_FAILED);
    EXPECT_EQ(result.messages, EngineMessage("Image too large"));
}

INSTANTIATE_TEST_SUITE_P(
    DecodeSource, HugeSource,
    testing::Values(HugeSourceCase{"AtcRgb", ATC_RGB, 65536, 32768},
                    HugeSourceCase{"AtcExplicitAlpha", ATC_RGBA_EXPLICIT_ALPHA, 65536, 16384},
                    HugeSourceCase{"AtcInterpolatedAlpha", ATC_RGBA_INTERPOLATED_ALPHA, 65536,
                                   16384},
                    HugeSourceCase{"Etc1", ETC1_RGB8, 65536, 32768},
                    HugeSourceCase{"ThreeDcX", TF_3DC_X, 65536, 32768},
                    HugeSourceCase{"ThreeDcXY", TF_3DC_XY, 65536, 16384},
                    HugeSourceCase{"OneBitPalette", PAL1_RGBA8888, 65536, 65536},
                    HugeSourceCase{"Luminance", L8, 65536, 32768},
                    HugeSourceCase{"HalfFloat", L16F, 65536, 24576}),
    [](const testing::TestParamInfo<HugeSourceCase>& info) { return info.param.name; });

TEST(EncodeDestination, SizesOfBlockDestinations) {
    struct Case {
        uint32_t format;
        uint32_t size;
    };
    for (const Case c : {Case{ATC_RGB, 16}, Case{ATC_RGBA_EXPLICIT_ALPHA, 32},
                         Case{ATC_RGBA_INTERPOLATED_ALPHA, 32}, Case{ETC1_RGB8, 16},
                         Case{TF_3DC_X, 16}, Case{TF_3DC_XY, 32}}) {
        TestImage destination(5, 3, c.format);
        EXPECT_EQ(ConvertCapturing(nullptr, destination.get()).code, TRC_OK);
        EXPECT_EQ(destination->nDataSize, c.size) << c.format;
    }
}

}  // namespace
