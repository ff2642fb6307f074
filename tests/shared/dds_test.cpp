// SaveImageDDS, ValidateDDSImage and LoadImageDDS: the dialect's header,
// round trips, and hostile files refused before anything is allocated.
#include <gtest/gtest.h>

#include "byte_order.h"
#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

constexpr const char* kCorrupted =
    "LoadImageDDS: File could not be opened for reading (possibly corrupted?).";
constexpr const char* kInvalid = "ValidateDDSImage: Invalid DDS file format.";

uint32_t FourCC(const char* text) {
    return LoadLittleEndian32(reinterpret_cast<const uint8_t*>(text));
}

Bytes WrittenFile(const TempDir& dir, const TextureImage& image, uint32_t levelCount = 1) {
    std::vector<TextureImage*> levels(levelCount, const_cast<TextureImage*>(&image));
    const std::string path = dir.File("written.dds");
    EXPECT_TRUE(SaveImageDDS(path.c_str(), levels.data(), levelCount, nullptr));
    return ReadFileBytes(path);
}

// A DDS prefix (magic and header) with the given FourCC, size and data size.
Bytes Prefix(uint32_t fourCC, uint32_t width, uint32_t height, uint32_t dataSize) {
    Bytes file(128, 0);
    PutWord(file, 0, FourCC("DDS "));
    PutWord(file, 4, 124);
    PutWord(file, 12, height);
    PutWord(file, 16, width);
    PutWord(file, 20, dataSize);
    PutWord(file, 28, 1);
    PutWord(file, 76, 32);
    PutWord(file, 80, 4);
    PutWord(file, 84, fourCC);
    return file;
}

Bytes WithData(Bytes file, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        file.push_back(uint8_t(i * 3));
    }
    return file;
}

Bytes Truncated(Bytes file, size_t size) {
    file.resize(size);
    return file;
}

std::string LoadMessage(const std::string& path) {
    Record image(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(LoadImageDDS(path.c_str(), image.get(), true, message));
    EXPECT_EQ(image->pData, nullptr);
    return message;
}

TEST(DDSWriter, EightByEightUncompressedFileAndItsRoundTrip) {
    TempDir dir;
    Record image = MakeRecord(1, 8, 8, 256);
    const Bytes file = WrittenFile(dir, *image);
    ASSERT_EQ(file.size(), 4u + 124 + 256);
    EXPECT_EQ(Word(file, 0), FourCC("DDS "));
    const std::pair<size_t, uint32_t> words[] = {
        {0, 124},        {4, 0x2100F}, {8, 8},   {12, 8},    {16, 256},
        {20, 0},         {24, 1},      {72, 32}, {76, 0x41}, {80, FourCC("UNC ")},
        {84, 32},        {88, 0},      {92, 0},  {96, 0},    {100, 0},
        {104, 0x401008}, {108, 0},     {112, 0}, {116, 0},   {120, 0},
    };
    for (const auto& [offset, value] : words) {
        EXPECT_EQ(Word(file, 4 + offset), value) << "header offset " << offset;
    }
    for (size_t offset = 28; offset < 72; offset += 4) {
        EXPECT_EQ(Word(file, 4 + offset), 0u);
    }

    Record loaded(CreateTextureImage());
    const std::string path = dir.File("written.dds");
    uint32_t levelCount = 0;
    ASSERT_TRUE(ValidateDDSImage(path.c_str(), &levelCount, nullptr));
    EXPECT_EQ(levelCount, 1u);
    ASSERT_TRUE(LoadImageDDS(path.c_str(), loaded.get(), true, nullptr));
    EXPECT_EQ(loaded->nFormat, 1u);
    EXPECT_EQ(loaded->nWidth, 8u);
    EXPECT_EQ(loaded->nHeight, 8u);
    EXPECT_EQ(RecordBytes(*loaded), RecordBytes(*image));
}

TEST(DDSWriter, NamesEachCompressedFormatByItsFourCC) {
    const std::tuple<uint32_t, const char*, uint32_t> cases[] = {
        {22, "ATCI", 5}, {23, "ATC ", 4}, {24, "ATCA", 5},
        {25, "ETC1", 4}, {26, "3DC1", 4}, {27, "3DC2", 4},
    };
    TempDir dir;
    for (const auto& [format, fourCC, flags] : cases) {
        SCOPED_TRACE(fourCC);
        Record image = MakeRecord(format, 4, 4, 16);
        const Bytes file = WrittenFile(dir, *image);
        EXPECT_EQ(Word(file, 4 + 4), 0xA1007u);
        EXPECT_EQ(Word(file, 4 + 76), flags);
        EXPECT_EQ(Word(file, 4 + 80), FourCC(fourCC));
        EXPECT_EQ(Word(file, 4 + 84), 0u);
    }
}

TEST(DDSWriter, CopiesTheMasksAndWritesEveryLevel) {
    TempDir dir;
    Record image = MakeRecord(23, 4, 4, 8);
    image->pPixelLayout->nRedMask = 0x11;
    image->pPixelLayout->nGreenMask = 0x22;
    image->pPixelLayout->nBlueMask = 0x33;
    image->pPixelLayout->nAlphaMask = 0x44;
    const Bytes file = WrittenFile(dir, *image, 3);
    ASSERT_EQ(file.size(), 128u + 3 * 8);
    EXPECT_EQ(Word(file, 4 + 24), 3u);
    EXPECT_EQ(Word(file, 4 + 88), 0x11u);
    EXPECT_EQ(Word(file, 4 + 92), 0x22u);
    EXPECT_EQ(Word(file, 4 + 96), 0x33u);
    EXPECT_EQ(Word(file, 4 + 100), 0x44u);
}

TEST(DDSWriter, RefusesAFormatWithoutFourCCWithoutCreatingAFile) {
    TempDir dir;
    Record image = MakeRecord(3, 4, 4, 32);
    TextureImage* levels[] = {image.get()};
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(SaveImageDDS(dir.File("out.dds").c_str(), levels, 1, message));
    EXPECT_STREQ(message, "SaveImageDDS: Unsupported file format.");
    EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
}

TEST(DDSReader, RefusesForeignFourCCsWrongMagicAndEmptyFiles) {
    TempDir dir;
    Bytes wrongMagic = WithData(Prefix(FourCC("ATC "), 4, 4, 8), 8);
    wrongMagic[3] = 'X';
    for (const Bytes& file : {WithData(Prefix(FourCC("DXT5"), 4, 4, 16), 16),
                              WithData(Prefix(FourCC("DXT1"), 4, 4, 8), 8), wrongMagic, Bytes{}}) {
        const std::string path = dir.File("foreign.dds");
        WriteFileBytes(path, file);
        char message[kMessageBufferSize] = "";
        uint32_t levelCount = 0;
        EXPECT_FALSE(ValidateDDSImage(path.c_str(), &levelCount, message));
        EXPECT_STREQ(message, kInvalid);
        EXPECT_EQ(LoadMessage(path), kInvalid);
    }
    char message[kMessageBufferSize] = "";
    uint32_t levelCount = 0;
    EXPECT_FALSE(ValidateDDSImage(dir.File("absent.dds").c_str(), &levelCount, message));
    EXPECT_STREQ(message, "ValidateDDSImage: File could not be opened for reading.");
}

TEST(DDSReader, RefusesHostileFilesBeforeAllocating) {
    const std::pair<const char*, Bytes> cases[] = {
        {"header only", Prefix(FourCC("ATC "), 4, 4, 8)},
        {"data shorter than stated", WithData(Prefix(FourCC("ATC "), 8, 8, 32), 20)},
        {"stated size far past the end", WithData(Prefix(FourCC("ATC "), 4, 4, 0xFFFFFFFF), 8)},
        {"stated size below the level's need", WithData(Prefix(FourCC("ATC "), 8, 8, 16), 32)},
        {"zero stated size", WithData(Prefix(FourCC("UNC "), 1, 1, 0), 4)},
        {"huge size, tiny file", WithData(Prefix(FourCC("UNC "), 0xFFFFFFFF, 0xFFFFFFFF, 16), 16)},
        {"huge size, matching stated size",
         WithData(Prefix(FourCC("ATCA"), 0x10000, 0x10000, 0xFFFFFFFF), 16)},
        {"header cut short", Truncated(Prefix(FourCC("ATC "), 4, 4, 8), 100)},
    };
    TempDir dir;
    for (const auto& [name, file] : cases) {
        SCOPED_TRACE(name);
        const std::string path = dir.File("hostile.dds");
        WriteFileBytes(path, file);
        EXPECT_EQ(LoadMessage(path), kCorrupted);
    }
}

TEST(DDSReader, ZeroSizedHeaderReadsAsOnePixel) {
    TempDir dir;
    const std::string path = dir.File("zero.dds");
    WriteFileBytes(path, WithData(Prefix(FourCC("UNC "), 0, 0, 4), 4));
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImageDDS(path.c_str(), image.get(), true, nullptr));
    EXPECT_EQ(image->nWidth, 1u);
    EXPECT_EQ(image->nHeight, 1u);
    EXPECT_EQ(RecordBytes(*image), (Bytes{0, 3, 6, 9}));
}

}  // namespace
