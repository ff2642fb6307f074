// The compression types, their names and container codes, the level count
// rule, and a new record.
#include <gtest/gtest.h>

#include "byte_order.h"
#include "shared.h"

namespace {

TEST(CompressionTypes, ListPrintsSixNamesInOrder) {
    const char* expected[] = {
        "ATC RGB", "ATC RGBA Explicit", "ATC RGBA Interpolated", "ETC1 RGB8", "3DC X", "3DC XY"};
    ASSERT_EQ(GetCompressionTypeCount(), 6u);
    for (uint32_t i = 0; i < 6; ++i) {
        EXPECT_STREQ(GetCompressionTypeName(i), expected[i]);
    }
    EXPECT_EQ(GetCompressionTypeName(6), nullptr);
    EXPECT_EQ(GetCompressionTypeName(0xFFFFFFFFu), nullptr);
}

struct ParseCase {
    const char* name;
    bool accepted;
    uint32_t format;
};

TEST(CompressionTypes, ParseIsWholeNameIgnoringCase) {
    const ParseCase cases[] = {
        {"ATC RGB", true, 23},
        {"atc rgb", true, 23},
        {"ATC RGBA Explicit", true, 22},
        {"ATC RGB Interpolated", true, 24},
        {"ATC RGBA Interpolated", true, 24},
        {"atc rgba interpolated", true, 24},
        {"ETC1 RGB8", true, 25},
        {"3DC X", true, 26},
        {"3DC XY", true, 27},
        {"3dc xy", true, 27},
        {"ATC RGB ", false, 0},
        {"ATCRGB", false, 0},
        {"3DC", false, 0},
        {"3DC X ", false, 0},
        {"", false, 0},
    };
    for (const ParseCase& c : cases) {
        uint32_t format = 0;
        EXPECT_EQ(ParseCompressionType(c.name, &format), c.accepted) << '"' << c.name << '"';
        EXPECT_EQ(format, c.format) << '"' << c.name << '"';
    }
    EXPECT_FALSE(ParseCompressionType(nullptr, nullptr));
}

struct ContainerCase {
    uint32_t format;
    uint32_t glInternalFormat;
    const char* fourCC;
};

uint32_t FourCCValue(const char* text) {
    return LoadLittleEndian32(reinterpret_cast<const uint8_t*>(text));
}

TEST(CompressionTypes, ContainerCodesBothWays) {
    const ContainerCase cases[] = {
        {1, 0x1908, "UNC "},  {22, 0x8C93, "ATCI"}, {23, 0x8C92, "ATC "}, {24, 0x87EE, "ATCA"},
        {25, 0x8D64, "ETC1"}, {26, 0x87F9, "3DC1"}, {27, 0x87FA, "3DC2"},
    };
    EXPECT_EQ(FourCCValue("UNC "), 0x20434E55u);
    for (const ContainerCase& c : cases) {
        uint32_t value = 0;
        EXPECT_TRUE(IsSupportedFormat(c.format)) << c.format;
        ASSERT_TRUE(FormatToGLInternalFormat(c.format, &value)) << c.format;
        EXPECT_EQ(value, c.glInternalFormat);
        ASSERT_TRUE(GLInternalFormatToFormat(c.glInternalFormat, &value));
        EXPECT_EQ(value, c.format);
        ASSERT_TRUE(FormatToFourCC(c.format, &value));
        EXPECT_EQ(value, FourCCValue(c.fourCC));
        ASSERT_TRUE(FourCCToFormat(FourCCValue(c.fourCC), &value));
        EXPECT_EQ(value, c.format);
    }
    for (uint32_t format : {0u, 2u, 21u, 28u, 29u, 44u}) {
        uint32_t value = 0;
        EXPECT_FALSE(IsSupportedFormat(format)) << format;
        EXPECT_FALSE(FormatToGLInternalFormat(format, &value)) << format;
        EXPECT_FALSE(FormatToFourCC(format, &value)) << format;
    }
    uint32_t value = 0;
    EXPECT_FALSE(GLInternalFormatToFormat(0x1907, &value));
    EXPECT_FALSE(FourCCToFormat(FourCCValue("DXT5"), &value));
}

TEST(CompressionTypes, CountMipLevels) {
    struct Case {
        uint32_t width, height, levels;
    };
    const Case cases[] = {{1, 1, 1},          {0, 0, 1},           {256, 256, 9}, {256, 64, 9},
                          {5, 3, 3},          {1, 1024, 11},       {256, 128, 9}, {2, 1, 2},
                          {16384, 16384, 15}, {0xFFFFFFFFu, 1, 32}};
    for (const Case& c : cases) {
        EXPECT_EQ(CountMipLevels(c.width, c.height), c.levels) << c.width << "x" << c.height;
    }
}

TEST(TextureImageRecord, CreatedEmptyWithZeroedLayout) {
    TextureImage* image = CreateTextureImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->nWidth, 0u);
    EXPECT_EQ(image->nHeight, 0u);
    EXPECT_EQ(image->nFormat, 0u);
    EXPECT_EQ(image->nDataSize, 0u);
    EXPECT_EQ(image->pData, nullptr);
    ASSERT_NE(image->pPixelLayout, nullptr);
    const uint32_t* words = reinterpret_cast<const uint32_t*>(image->pPixelLayout);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(words[i], 0u) << i;
    }
    FreeTextureImage(image);
    FreeTextureImage(nullptr);
}

}  // namespace
