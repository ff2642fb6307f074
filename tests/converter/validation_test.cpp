// Validation: each failing check's code and message, quiet on either image,
// and the route that each pairing of formats takes.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "engine_test_images.h"
#include "morlune_stages.h"

namespace {

// A request that passes every check: 2 x 2 RGBA8888 to 2 x 2 RGBA8888.
struct Request {
    TestImage source{2, 2, RGBA8888, std::vector<uint8_t>(16, 0x5A)};
    TestImage destination{2, 2, RGBA8888, std::vector<uint8_t>(16)};
    bool nullSource = false;
    bool nullDestination = false;

    const TextureImage* Source() { return nullSource ? nullptr : source.get(); }
    TextureImage* Destination() { return nullDestination ? nullptr : destination.get(); }
};

struct FailureCase {
    const char* name;
    std::function<void(Request&)> change;
    TReturnCode code;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

const FailureCase kFailures[] = {
    {"NullDestination", [](Request& r) { r.nullDestination = true; }, TRC_NO_DESTINATION, ""},
    {"UnknownDestinationFormat", [](Request& r) { r.destination->nFormat = 28; },
     TRC_UNSUPPORTED_FORMAT, "ImgInfo unsupported pInput->nFormat"},
    {"UnknownDestinationFormatInSizeQuery",
     [](Request& r) {
         r.destination->nFormat = 44;
         r.destination->pData = nullptr;
     },
     TRC_UNSUPPORTED_FORMAT, "ImgInfo unsupported pInput->nFormat"},
    {"UnknownSourceFormat", [](Request& r) { r.source->nFormat = 0; }, TRC_UNSUPPORTED_FORMAT,
     "ImgInfo unsupported pInput->nFormat"},
    {"DestinationOneByteShort", [](Request& r) { r.destination->nDataSize = 15; },
     TRC_BUFFER_TOO_SMALL, "m_pDst->nDataSize is to small"},
    {"DestinationShortBeforeSourceChecks",
     [](Request& r) {
         r.destination->nDataSize = 15;
         r.source->nWidth = 0;
     },
     TRC_BUFFER_TOO_SMALL, "m_pDst->nDataSize is to small"},
    {"NullSource", [](Request& r) { r.nullSource = true; }, TRC_NO_DATA, "m_pSrc == NULL"},
    {"SourceWidthZero", [](Request& r) { r.source->nWidth = 0; }, TRC_BAD_DIMENSIONS,
     "m_pSrc->nWidth == 0"},
    {"SourceHeightZero", [](Request& r) { r.source->nHeight = 0; }, TRC_BAD_DIMENSIONS,
     "m_pSrc->nHeight == 0"},
    {"SourceWidthBeforeData",
     [](Request& r) {
         r.source->nWidth = 0;
         r.source->pData = nullptr;
     },
     TRC_BAD_DIMENSIONS, "m_pSrc->nWidth == 0"},
    {"SourceDataNull", [](Request& r) { r.source->pData = nullptr; }, TRC_NO_DATA,
     "m_pSrc->pData == NULL"},
    {"SourceOneByteShort", [](Request& r) { r.source->nDataSize = 15; }, TRC_NO_DATA,
     "m_pSrc->nDataSize is to small"},
    {"ShortBlockSource",
     [](Request& r) {
         r.source->nFormat = ETC1_RGB8;
         r.source->nWidth = 5;
         r.source->nHeight = 3;
         r.source->nDataSize = 15;
     },
     TRC_NO_DATA, "m_pSrc->nDataSize is to small"},
    {"ShortPaletteSource",
     [](Request& r) {
         r.source->nFormat = PAL4_RGB565;
         r.source->nWidth = 3;
         r.source->nHeight = 3;
         r.source.Allocate(36);
     },
     TRC_NO_DATA, "m_pSrc->nDataSize is to small"},
    {"DestinationWidthZero", [](Request& r) { r.destination->nWidth = 0; }, TRC_BAD_DIMENSIONS,
     "m_pDst->nWidth == 0"},
    {"DestinationHeightZero", [](Request& r) { r.destination->nHeight = 0; }, TRC_BAD_DIMENSIONS,
     "m_pDst->nHeight == 0"},
    {"DestinationEmptyAfterSourceChecks",
     [](Request& r) {
         r.destination->nWidth = 0;
         r.source->nHeight = 0;
     },
     TRC_BAD_DIMENSIONS, "m_pSrc->nHeight == 0"},
    {"SourcePitchBelowRow", [](Request& r) { r.source.layout.nPitch = 7; }, TRC_FAILED,
     "nPitch does not fit the image"},
    {"DestinationPitchBelowRow", [](Request& r) { r.destination.layout.nPitch = 7; }, TRC_FAILED,
     "nPitch does not fit the image"},
    {"BlockDestinationPitchBelowRow",
     [](Request& r) {
         r.destination->nFormat = ETC1_RGB8;
         r.destination->nWidth = 4;
         r.destination.layout.nPitch = 1;
     },
     TRC_FAILED, "nPitch does not fit the image"},
    {"FloatDestinationPitchWithGap",
     [](Request& r) {
         r.destination->nFormat = RGBA32F;
         r.destination.Allocate(80);
         r.destination.layout.nPitch = 40;
     },
     TRC_FAILED, "nPitch does not fit the image"},
    {"SixteenBitSourcePitchWithGap",
     [](Request& r) {
         r.source->nFormat = RGB16;
         r.source.Allocate(26);
         r.source.layout.nPitch = 13;
     },
     TRC_FAILED, "nPitch does not fit the image"},
    {"DestinationTooLarge",
     [](Request& r) {
         r.destination->nWidth = 65536;
         r.destination->nHeight = 65536;
     },
     TRC_FAILED, "Image too large"},
    {"DestinationTooLargeInSizeQuery",
     [](Request& r) {
         r.destination->nWidth = 65536;
         r.destination->nHeight = 65536;
         r.destination->pData = nullptr;
     },
     TRC_FAILED, "Image too large"},
    {"SixteenByteBlocksOfTheLargestSizeInSizeQuery",  // 16 x 2^30 x 2^30 bytes: 2^64
     [](Request& r) {
         r.destination->nFormat = TF_3DC_XY;
         r.destination->nWidth = 4294967295u;
         r.destination->nHeight = 4294967295u;
         r.destination->pData = nullptr;
     },
     TRC_FAILED, "Image too large"},
    {"PaletteIndicesOfTwoToTheSixtyFiveBitsInSizeQuery",  // 8 x 2^31 x 2^31 bits
     [](Request& r) {
         r.destination->nFormat = PAL8_RGBA8888;
         r.destination->nWidth = 2147483648u;
         r.destination->nHeight = 2147483648u;
         r.destination->pData = nullptr;
     },
     TRC_FAILED, "Image too large"},
    {"DestinationPitchOverrideTooLarge",
     [](Request& r) { r.destination.layout.nPitch = 0x80000000u; }, TRC_FAILED, "Image too large"},
    {"SourceTooLarge",
     [](Request& r) {
         r.source->nWidth = 65536;
         r.source->nHeight = 65536;
         r.source->nDataSize = 0;
     },
     TRC_FAILED, "Image too large"},
};

class ValidationFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ValidationFailure, ReturnsItsCodeAndPrintsItsMessage) {
    Request request;
    GetParam().change(request);
    const TextureImage destinationBefore = request.destination.record;
    const ConvertResult result = ConvertCapturing(request.Source(), request.Destination());
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_EQ(result.messages, EngineMessage(GetParam().message));
    // Validation leaves the destination untouched.
    EXPECT_EQ(request.destination->nDataSize, destinationBefore.nDataSize);
    EXPECT_EQ(request.destination->pData, destinationBefore.pData);
}

TEST_P(ValidationFailure, IsSilentWhenTheSourceAsksForQuiet) {
    Request request;
    GetParam().change(request);
    if (request.nullSource) {
        GTEST_SKIP() << "a missing source has no layout block to ask with";
    }
    request.source.layout.nControl = kControlQuiet;
    const ConvertResult result = ConvertCapturing(request.Source(), request.Destination());
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_EQ(result.messages, "");
}

TEST_P(ValidationFailure, IsSilentWhenTheDestinationAsksForQuiet) {
    Request request;
    GetParam().change(request);
    request.destination.layout.nControl = kControlQuiet;
    const ConvertResult result = ConvertCapturing(request.Source(), request.Destination());
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_EQ(result.messages, "");
}

INSTANTIATE_TEST_SUITE_P(Validate, ValidationFailure, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                             return info.param.name;
                         });

struct RouteCase {
    const char* name;
    std::function<void(Request&)> change;
    ConversionRoute route;
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }

ConversionRoute RouteOf(Request& request) {
    MorluneStages converter(request.Source(), request.Destination());
    return converter.Validate();
}

void Formats(Request& r, uint32_t source, uint32_t destination) {
    r.source->nFormat = source;
    r.destination->nFormat = destination;
    r.source->nDataSize = 0;
    r.destination.Allocate(256);
}

const RouteCase kRoutes[] = {
    {"DirectToDirect", [](Request&) {}, ROUTE_RGBA8},
    {"FloatToFloat", [](Request& r) { Formats(r, RGBA32F, RGBA16F); }, ROUTE_FLOAT},
    {"FloatToDirect", [](Request& r) { Formats(r, RGBA32F, RGBA8888); }, ROUTE_RGBA8},
    {"SixteenToSixteen", [](Request& r) { Formats(r, RGB16, RGBA16); }, ROUTE_RGBA16},
    {"SixteenToFloat", [](Request& r) { Formats(r, RGB16, RGBA32F); }, ROUTE_RGBA8},
    {"FloatToSixteen", [](Request& r) { Formats(r, L32F, RGBA16); }, ROUTE_RGBA8},
    {"BlockToBlock", [](Request& r) { Formats(r, ETC1_RGB8, ATC_RGB); }, ROUTE_RGBA8},
    {"SizeQuery", [](Request& r) { r.destination->pData = nullptr; }, ROUTE_QUERY_SIZE},
    {"SizeQueryWithoutSource",
     [](Request& r) {
         r.destination->pData = nullptr;
         r.nullSource = true;
     },
     ROUTE_QUERY_SIZE},
    {"VersionQueryOnSource", [](Request& r) { r.source.layout.nControl = kControlQueryVersion; },
     ROUTE_QUERY_VERSION},
    {"VersionQueryOnDestination",
     [](Request& r) {
         r.destination.layout.nControl = kControlQueryVersion;
         r.destination->pData = nullptr;
     },
     ROUTE_QUERY_VERSION},
    {"SourceSizeNotStated", [](Request& r) { r.source->nDataSize = 0; }, ROUTE_RGBA8},
    {"SourceLargerThanNeeded", [](Request& r) { r.source->nDataSize = 17; }, ROUTE_RGBA8},
    {"PitchOverrideWithGap",
     [](Request& r) {
         r.destination.layout.nPitch = 12;
         r.destination.Allocate(24);
     },
     ROUTE_RGBA8},
    {"PitchOverrideOfExactlyOneFloatRow",
     [](Request& r) {
         Formats(r, RGBA32F, RGBA32F);
         r.destination.layout.nPitch = 32;
     },
     ROUTE_FLOAT},
    {"DestinationWithoutLayout", [](Request& r) { r.destination->pPixelLayout = nullptr; },
     ROUTE_RGBA8},
};

class ValidationRoute : public testing::TestWithParam<RouteCase> {};

TEST_P(ValidationRoute, ChoosesTheRoute) {
    Request request;
    GetParam().change(request);
    EXPECT_EQ(RouteOf(request), GetParam().route);
}

INSTANTIATE_TEST_SUITE_P(Validate, ValidationRoute, testing::ValuesIn(kRoutes),
                         [](const testing::TestParamInfo<RouteCase>& info) {
                             return info.param.name;
                         });

TEST(Validate, QuietOnEitherImageClearsVerbose) {
    for (const bool onSource : {true, false}) {
        Request request;
        (onSource ? request.source : request.destination).layout.nControl = kControlQuiet;
        MorluneStages converter(request.Source(), request.Destination());
        EXPECT_EQ(converter.Validate(), ROUTE_RGBA8);
        EXPECT_FALSE(converter.Verbose());
    }
}

}  // namespace
