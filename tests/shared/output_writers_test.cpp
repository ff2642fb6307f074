// SaveImageTGA, SaveImagePNG and SaveImageRAW: pictures that load back
// byte for byte, and what they refuse.
#include <gtest/gtest.h>

#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

constexpr const char* kNotUncompressed =
    "SaveImageTGA: Writing output file failed (make sure you are saving out an uncompressed "
    "image).";

TEST(SaveImageTGA, TwoByTwoPictureLoadsBackWithTheSameBytes) {
    TempDir dir;
    Record image = MakeRecord(1, 2, 2, 16);
    const Bytes pixels = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 64, 10, 20, 30, 0};
    std::copy(pixels.begin(), pixels.end(), image->pData);
    const std::string path = dir.File("round.tga");
    ASSERT_TRUE(SaveImageTGA(path.c_str(), image.get(), nullptr));
    Record loaded(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), loaded.get(), nullptr));
    EXPECT_EQ(loaded->nFormat, 1u);
    EXPECT_EQ(loaded->nWidth, 2u);
    EXPECT_EQ(loaded->nHeight, 2u);
    EXPECT_EQ(RecordBytes(*loaded), pixels);
}

TEST(SaveImageTGA, RefusesAnythingButAnUncompressedRecordAndCreatesNoFile) {
    TempDir dir;
    const std::string path = dir.File("out.tga");
    Record compressed = MakeRecord(22, 4, 4, 16);
    Record shortData = MakeRecord(1, 4, 4, 60);
    for (const TextureImage* image :
         {compressed.get(), shortData.get(), static_cast<TextureImage*>(nullptr)}) {
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(SaveImageTGA(path.c_str(), image, message));
        EXPECT_STREQ(message, kNotUncompressed);
    }
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(SaveImageTGA(nullptr, shortData.get(), message));
    EXPECT_STREQ(message, kNotUncompressed);
    EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
}

TEST(SaveImagePNG, PictureLoadsBackWithTheSameBytesAlphaIncluded) {
    TempDir dir;
    Record image = MakeRecord(1, 3, 2, 24);
    const Bytes pixels = {255, 0,  0,  255, 0, 255, 0, 128, 0,   0,   255, 64,
                          10,  20, 30, 0,   1, 2,   3, 4,   250, 251, 252, 253};
    std::copy(pixels.begin(), pixels.end(), image->pData);
    const std::string path = dir.File("round.png");
    ASSERT_TRUE(SaveImagePNG(path.c_str(), image.get(), nullptr));
    const Bytes file = ReadFileBytes(path);
    ASSERT_GE(file.size(), 8u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
    Record loaded(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), loaded.get(), nullptr));
    EXPECT_EQ(loaded->nWidth, 3u);
    EXPECT_EQ(loaded->nHeight, 2u);
    EXPECT_EQ(RecordBytes(*loaded), pixels);
}

TEST(SaveImagePNG, RefusesAnythingButAnUncompressedRecordAndLeavesNoFile) {
    TempDir dir;
    const std::string path = dir.File("out.png");
    Record compressed = MakeRecord(25, 4, 4, 8);
    Record shortData = MakeRecord(1, 4, 4, 60);
    for (const TextureImage* image :
         {compressed.get(), shortData.get(), static_cast<TextureImage*>(nullptr)}) {
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(SaveImagePNG(path.c_str(), image, message));
        EXPECT_STREQ(message,
                     "SaveImagePNG: Writing output file failed (make sure you are saving out an "
                     "uncompressed image).");
    }
    Record image = MakeRecord(1, 1, 1, 4);
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(SaveImagePNG(dir.File("no/such/dir/out.png").c_str(), image.get(), message));
    EXPECT_STREQ(message, "SaveImagePNG: File could not be opened for writing.");
    EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
}

TEST(SaveImageRAW, WritesTheDataBytesAlone) {
    TempDir dir;
    Record block = MakeRecord(23, 4, 4, 8, 5);
    const std::string path = dir.File("block.raw");
    ASSERT_TRUE(SaveImageRAW(path.c_str(), block.get(), nullptr));
    EXPECT_EQ(ReadFileBytes(path), RecordBytes(*block));
    EXPECT_EQ(ReadFileBytes(path).size(), 8u);
}

TEST(SaveImageRAW, NullRecordFailsAndCreatesNoFile) {
    TempDir dir;
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(SaveImageRAW(dir.File("null.raw").c_str(), nullptr, message));
    EXPECT_STREQ(message, "SaveImageRAW: Writing output file failed.");
    EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
}

}  // namespace
