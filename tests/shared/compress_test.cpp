// The driver's refusals: formats outside the container table, sources the
// engine refuses, and chains of no level.
#include <gtest/gtest.h>

#include "shared_test_support.h"

namespace {

constexpr const char* kCompressUnsupported =
    "Compress: Make sure that both input and output textures have a supported compression.";
constexpr const char* kDecompressUnsupported =
    "Decompress: Make sure that input texture is a supported compression format.";

TEST(Compress, RefusesFormatsOutsideTheContainerTableWithoutTouchingTheDestination) {
    Record source = MakeRecord(1, 4, 4, 64);
    Record destination(CreateTextureImage());
    for (uint32_t format : {0u, 2u, 21u, 28u, 29u}) {
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(Compress(source.get(), destination.get(), format, 4, 4, message));
        EXPECT_STREQ(message, kCompressUnsupported);
        EXPECT_EQ(destination->nFormat, 0u);
        EXPECT_EQ(destination->nWidth, 0u);
    }
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(Compress(nullptr, destination.get(), 23, 4, 4, message));
    EXPECT_STREQ(message, kCompressUnsupported);
    EXPECT_FALSE(Compress(source.get(), nullptr, 23, 4, 4, message));
    EXPECT_STREQ(message, kCompressUnsupported);
}

TEST(Decompress, RefusesSourcesOutsideTheContainerTable) {
    Record source = MakeRecord(2, 4, 4, 48);
    Record destination(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(Decompress(source.get(), destination.get(), 4, 4, message));
    EXPECT_STREQ(message, kDecompressUnsupported);
    EXPECT_EQ(destination->nFormat, 0u);
    EXPECT_FALSE(Decompress(nullptr, destination.get(), 4, 4, message));
    EXPECT_STREQ(message, kDecompressUnsupported);
}

TEST(Compress, SourceTheEngineRefusesFailsInTheFirstPass) {
    Record source = MakeRecord(28, 4, 4, 64);
    Record destination(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(Compress(source.get(), destination.get(), 23, 4, 4, message));
    EXPECT_STREQ(message,
                 "Compress: Error Occurred in Morlune library, possibly due to unsupported "
                 "conversion options.");
    EXPECT_EQ(destination->pData, nullptr);
}

TEST(CompressMipChain, NoLevelsIsDoneAtOnceAndAnUnsupportedFormatFailsAtLevelZero) {
    Record source = MakeRecord(1, 4, 4, 64);
    EXPECT_TRUE(CompressMipChain(source.get(), nullptr, 23, 4, 4, 0, nullptr));
    Record level(CreateTextureImage());
    TextureImage* levels[] = {level.get()};
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(CompressMipChain(source.get(), levels, 2, 4, 4, 1, message));
    EXPECT_STREQ(message, kCompressUnsupported);
}

}  // namespace
