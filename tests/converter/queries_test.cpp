// The size and version queries: what they store, and what they refuse.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

#include "engine_test_images.h"

namespace {

const char kVersionMessage[] =
    "nDataSize not large enough to hold version number. Should be sizeof(unsigned int)";

TEST(SizeQuery, StoresTheDestinationSizeWhateverTheSource) {
    TestImage source(300, 200, RGBA8888);
    TestImage destination(5, 3, ATC_RGBA_EXPLICIT_ALPHA);
    for (const TextureImage* from : {static_cast<const TextureImage*>(source.get()),
                                     static_cast<const TextureImage*>(nullptr)}) {
        destination->nDataSize = 0;
        const ConvertResult result = ConvertCapturing(from, destination.get());
        EXPECT_EQ(result.code, TRC_OK);
        EXPECT_EQ(result.messages, "");
        EXPECT_EQ(destination->nDataSize, 32u);  // two 4 x 4 blocks of 16 bytes
    }
}

struct SizeCase {
    uint32_t width;
    uint32_t height;
    uint32_t format;
    uint32_t pitch;
    uint32_t size;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.width << " x " << c.height << " format " << c.format << " pitch " << c.pitch;
}

class SizeQuery : public testing::TestWithParam<SizeCase> {};

TEST_P(SizeQuery, AnswersImgSize) {
    const SizeCase& c = GetParam();
    TestImage destination(c.width, c.height, c.format);
    destination.layout.nPitch = c.pitch;
    EXPECT_EQ(ConvertCapturing(nullptr, destination.get()).code, TRC_OK);
    EXPECT_EQ(destination->nDataSize, c.size);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, SizeQuery,
    testing::Values(SizeCase{5, 3, RGB888, 0, 45}, SizeCase{5, 3, RGB888, 16, 48},
                    SizeCase{5, 3, ETC1_RGB8, 0, 16}, SizeCase{3, 3, PAL4_RGB565, 0, 37},
                    SizeCase{2, 2, PAL8_RGBA8888, 0, 1028}, SizeCase{4, 4, RGBA32F, 0, 256},
                    SizeCase{65535, 65535, A8, 0, 65535u * 65535u}));

TEST(SizeQuery, RejectsAPitchThatDoesNotHoldARow) {
    TestImage destination(5, 3, RGB888);
    destination.layout.nPitch = 14;
    const ConvertResult result = ConvertCapturing(nullptr, destination.get());
    EXPECT_EQ(result.code, TRC_FAILED);
    EXPECT_EQ(result.messages, EngineMessage("nPitch does not fit the image"));
    EXPECT_EQ(destination->nDataSize, 0u);
}

TEST(SizeQuery, RejectsAnImageOverFourGibibytes) {
    TestImage destination(65536, 65536, RGBA8888);
    const ConvertResult result = ConvertCapturing(nullptr, destination.get());
    EXPECT_EQ(result.code, TRC_FAILED);
    EXPECT_EQ(result.messages, EngineMessage("Image too large"));
    EXPECT_EQ(destination->nDataSize, 0u);
}

struct VersionCase {
    const char* name;
    bool onSource;
    bool nullSource;
    uint32_t capacity;
    bool nullData;
    TReturnCode code;
    const char* message;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class VersionQuery : public testing::TestWithParam<VersionCase> {};

TEST_P(VersionQuery, WritesTheVersionOrRefuses) {
    const VersionCase& c = GetParam();
    TestImage source(1, 1, RGBA8888);
    TestImage destination(0, 0, ETC1_RGB8, std::vector<uint8_t>(8, 0xEE));
    destination->nDataSize = c.capacity;
    if (c.nullData) {
        destination->pData = nullptr;
    }
    (c.onSource ? source : destination).layout.nControl = kControlQueryVersion;
    const ConvertResult result =
        ConvertCapturing(c.nullSource ? nullptr : source.get(), destination.get());
    EXPECT_EQ(result.code, c.code);
    EXPECT_EQ(result.messages, EngineMessage(c.message));
    uint32_t written = 0;
    std::memcpy(&written, destination.data.data(), 4);
    EXPECT_EQ(written, c.code == TRC_OK ? MORLUNE_VERSION : 0xEEEEEEEEu);
    EXPECT_EQ(destination.data[4], 0xEE);
}

INSTANTIATE_TEST_SUITE_P(
    Queries, VersionQuery,
    testing::Values(
        VersionCase{"FourBytes", false, false, 4, false, TRC_OK, ""},
        VersionCase{"AskedBySource", true, false, 8, false, TRC_OK, ""},
        VersionCase{"WithoutSource", false, true, 4, false, TRC_OK, ""},
        VersionCase{"ThreeBytes", false, false, 3, false, TRC_BUFFER_TOO_SMALL, kVersionMessage},
        VersionCase{"NullData", false, false, 4, true, TRC_BUFFER_TOO_SMALL, kVersionMessage}),
    [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST(VersionQuery, StillNeedsKnownFormats) {
    TestImage source(1, 1, 28);
    TestImage destination(1, 1, RGBA8888, std::vector<uint8_t>(4));
    destination.layout.nControl = kControlQueryVersion;
    const ConvertResult result = ConvertCapturing(source.get(), destination.get());
    EXPECT_EQ(result.code, TRC_UNSUPPORTED_FORMAT);
    EXPECT_EQ(result.messages, EngineMessage("ImgInfo unsupported pInput->nFormat"));
}

TEST(VersionQuery, QuietOnTheOtherImageSilencesTheRefusal) {
    TestImage source(1, 1, RGBA8888);
    TestImage destination(1, 1, RGBA8888, std::vector<uint8_t>(4));
    destination->nDataSize = 3;
    destination.layout.nControl = kControlQueryVersion;
    source.layout.nControl = kControlQuiet;
    const ConvertResult result = ConvertCapturing(source.get(), destination.get());
    EXPECT_EQ(result.code, TRC_BUFFER_TOO_SMALL);
    EXPECT_EQ(result.messages, "");
}

}  // namespace
