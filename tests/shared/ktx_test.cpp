// SaveImageKTX, ValidateKTXImage and LoadImageKTX: the header's fields,
// padding, chains read back, and hostile files refused.
#include <gtest/gtest.h>

#include <filesystem>

#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

constexpr const char* kCorrupted =
    "LoadImageKTX: File could not be opened for reading (possibly corrupted?).";
constexpr const char* kInvalid = "ValidateKTXImage: Invalid KTX file format.";

const Bytes kIdentifier = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31, 0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};

// A one-level KTX file written by SaveImageKTX.
Bytes WrittenFile(const TempDir& dir, uint32_t format, uint32_t width, uint32_t height,
                  uint32_t size) {
    Record image = MakeRecord(format, width, height, size);
    TextureImage* levels[] = {image.get()};
    const std::string path = dir.File("written.ktx");
    EXPECT_TRUE(SaveImageKTX(path.c_str(), levels, 1, nullptr));
    return ReadFileBytes(path);
}

// A KTX header of the given format and size, written by hand.
Bytes Header(uint32_t glInternalFormat, uint32_t width, uint32_t height, uint32_t levels,
             uint32_t keyValueBytes = 0) {
    Bytes header = kIdentifier;
    for (uint32_t word : {0x04030201u, 0u, 1u, 0u, glInternalFormat, 0x1907u, width, height, 0u, 0u,
                          1u, levels, keyValueBytes}) {
        AppendWord(header, word);
    }
    return header;
}

void AppendLevel(Bytes& file, uint32_t imageSize, uint32_t dataBytes) {
    AppendWord(file, imageSize);
    for (uint32_t i = 0; i < dataBytes; ++i) {
        file.push_back(uint8_t(i));
    }
}

std::string LoadMessage(const std::string& path, bool firstLevelOnly, size_t arraySize = 1) {
    LevelArray array(arraySize);
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(LoadImageKTX(path.c_str(), array.levels.data(), firstLevelOnly, message));
    return message;
}

TEST(KTXWriter, FourByFourATCRGBIsSeventySixBytesWithItsHeaderFields) {
    TempDir dir;
    const Bytes file = WrittenFile(dir, 23, 4, 4, 8);
    ASSERT_EQ(file.size(), 76u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 12), kIdentifier);
    const uint32_t expected[] = {0x04030201, 0, 1, 0, 0x8C92, 0x1907, 4, 4, 0, 0, 1, 1, 0, 8};
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(Word(file, 12 + 4 * i), expected[i]) << "word at offset " << 12 + 4 * i;
    }
    Record image = MakeRecord(23, 4, 4, 8);
    EXPECT_EQ(Bytes(file.begin() + 68, file.end()), RecordBytes(*image));
}

struct HeaderFieldCase {
    uint32_t format;
    uint32_t glType;
    uint32_t glFormat;
    uint32_t glInternalFormat;
    uint32_t glBaseInternalFormat;
};

TEST(KTXWriter, DescribesEachFormatWithItsStandardFields) {
    const HeaderFieldCase cases[] = {
        {1, 0x1401, 0x1908, 0x1908, 0x1908}, {22, 0, 0, 0x8C93, 0x1908}, {23, 0, 0, 0x8C92, 0x1907},
        {24, 0, 0, 0x87EE, 0x1908},          {25, 0, 0, 0x8D64, 0x1907}, {26, 0, 0, 0x87F9, 0x1907},
        {27, 0, 0, 0x87FA, 0x1907},
    };
    TempDir dir;
    for (const HeaderFieldCase& c : cases) {
        SCOPED_TRACE(c.format);
        const Bytes file = WrittenFile(dir, c.format, 4, 4, 64);
        EXPECT_EQ(Word(file, 16), c.glType);
        EXPECT_EQ(Word(file, 20), 1u);
        EXPECT_EQ(Word(file, 24), c.glFormat);
        EXPECT_EQ(Word(file, 28), c.glInternalFormat);
        EXPECT_EQ(Word(file, 32), c.glBaseInternalFormat);
    }
}

TEST(KTXWriter, PadsLevelDataToAMultipleOfFour) {
    TempDir dir;
    const Bytes file = WrittenFile(dir, 23, 4, 4, 10);
    ASSERT_EQ(file.size(), 64u + 4 + 12);
    EXPECT_EQ(Word(file, 64), 12u);
    EXPECT_EQ(file[78], 0);
    EXPECT_EQ(file[79], 0);
}

TEST(KTXWriter, RefusesAFormatOutsideTheContainerTableWithoutCreatingAFile) {
    TempDir dir;
    Record image = MakeRecord(2, 4, 4, 48);
    TextureImage* levels[] = {image.get()};
    const std::string path = dir.File("out.ktx");
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(SaveImageKTX(path.c_str(), levels, 1, message));
    EXPECT_STREQ(message, "SaveImageKTX: Unsupported file format.");
    EXPECT_TRUE(DirectoryEntries(dir.Path()).empty());
}

TEST(KTXReader, NineLevelETC1ChainReadsBackLevelByLevel) {
    TempDir dir;
    std::vector<Record> records;
    std::vector<TextureImage*> pointers;
    for (uint32_t i = 0; i < 9; ++i) {
        const uint32_t side = 256 >> i;
        const uint32_t blocks = (side + 3) / 4;
        records.push_back(MakeRecord(25, side, side, blocks * blocks * 8, uint8_t(i)));
        pointers.push_back(records.back().get());
    }
    const std::string path = dir.File("chain.ktx");
    ASSERT_TRUE(SaveImageKTX(path.c_str(), pointers.data(), 9, nullptr));
    uint32_t levelCount = 0;
    ASSERT_TRUE(ValidateKTXImage(path.c_str(), &levelCount, nullptr));
    ASSERT_EQ(levelCount, 9u);
    LevelArray array(9);
    ASSERT_TRUE(LoadImageKTX(path.c_str(), array.levels.data(), false, nullptr));
    for (uint32_t i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(array.levels[i].nFormat, 25u);
        EXPECT_EQ(array.levels[i].nWidth, 256u >> i);
        EXPECT_EQ(array.levels[i].nHeight, 256u >> i);
        EXPECT_EQ(RecordBytes(array.levels[i]), RecordBytes(*records[i]));
    }
}

TEST(KTXReader, RejectsOtherByteOrderAndFormatsOutsideTheTable) {
    TempDir dir;
    const Bytes good = WrittenFile(dir, 23, 4, 4, 8);
    Bytes bigEndian = good;
    bigEndian[12] = 0x04;
    bigEndian[13] = 0x03;
    bigEndian[14] = 0x02;
    bigEndian[15] = 0x01;
    Bytes uncompressedRGB = good;
    PutWord(uncompressedRGB, 28, 0x1907);
    Bytes badIdentifier = good;
    badIdentifier[5] = '2';
    for (const Bytes& file : {bigEndian, uncompressedRGB, badIdentifier, Bytes{}}) {
        const std::string path = dir.File("bad.ktx");
        WriteFileBytes(path, file);
        char message[kMessageBufferSize] = "";
        uint32_t levelCount = 77;
        EXPECT_FALSE(ValidateKTXImage(path.c_str(), &levelCount, message));
        EXPECT_STREQ(message, kInvalid);
        EXPECT_EQ(levelCount, 77u);
        EXPECT_EQ(LoadMessage(path, true), kInvalid);
    }
}

TEST(KTXReader, MissingFileCannotBeOpened) {
    TempDir dir;
    char message[kMessageBufferSize] = "";
    uint32_t levelCount = 0;
    EXPECT_FALSE(ValidateKTXImage(dir.File("absent.ktx").c_str(), &levelCount, message));
    EXPECT_STREQ(message, "ValidateKTXImage: File could not be opened for reading.");
}

TEST(KTXReader, MissingLevelFailsUnlessOnlyTheFirstIsWanted) {
    TempDir dir;
    Bytes file = Header(0x8C92, 8, 8, 3);
    AppendLevel(file, 32, 32);
    AppendLevel(file, 8, 8);
    const std::string path = dir.File("short.ktx");
    WriteFileBytes(path, file);

    LevelArray all(3);
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(LoadImageKTX(path.c_str(), all.levels.data(), false, message));
    EXPECT_STREQ(message, kCorrupted);
    EXPECT_EQ(all.levels[0].nDataSize, 32u);
    EXPECT_EQ(all.levels[1].nDataSize, 8u);
    EXPECT_EQ(all.levels[1].nWidth, 4u);
    EXPECT_EQ(all.levels[2].pData, nullptr);

    LevelArray first(1);
    ASSERT_TRUE(LoadImageKTX(path.c_str(), first.levels.data(), true, nullptr));
    EXPECT_EQ(first.levels[0].nWidth, 8u);
    EXPECT_EQ(first.levels[0].nFormat, 23u);
    EXPECT_EQ(first.levels[0].nDataSize, 32u);
}

TEST(KTXReader, SkipsTheKeyValueBlock) {
    TempDir dir;
    Bytes file = Header(0x8D64, 4, 4, 1, 16);
    for (int i = 0; i < 16; ++i) {
        file.push_back(0xEE);
    }
    AppendLevel(file, 8, 8);
    const std::string path = dir.File("keys.ktx");
    WriteFileBytes(path, file);
    LevelArray array(1);
    ASSERT_TRUE(LoadImageKTX(path.c_str(), array.levels.data(), true, nullptr));
    EXPECT_EQ(RecordBytes(array.levels[0]), (Bytes{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(KTXReader, NoLevelsAnnouncedReadsNothing) {
    TempDir dir;
    const std::string path = dir.File("empty.ktx");
    WriteFileBytes(path, Header(0x8C92, 4, 4, 0));
    LevelArray array(1);
    EXPECT_TRUE(LoadImageKTX(path.c_str(), array.levels.data(), false, nullptr));
    EXPECT_EQ(array.levels[0].pData, nullptr);
}

struct HostileCase {
    const char* name;
    Bytes file;
    const char* message;
};

Bytes WithLevel(Bytes file, uint32_t imageSize, uint32_t dataBytes) {
    AppendLevel(file, imageSize, dataBytes);
    return file;
}

Bytes WithTail(Bytes file, size_t count) {
    file.resize(file.size() + count, 0x11);
    return file;
}

Bytes WithWord(Bytes file, size_t offset, uint32_t value) {
    PutWord(file, offset, value);
    return file;
}

TEST(KTXReader, RefusesHostileFilesBeforeAllocating) {
    const Bytes atc8x8 = Header(0x8C92, 8, 8, 1);
    const HostileCase cases[] = {
        {"truncated level data", WithLevel(atc8x8, 32, 20), kCorrupted},
        {"imageSize far past the end", WithLevel(atc8x8, 0xFFFFFFF0, 32), kCorrupted},
        {"imageSize smaller than the level", WithLevel(atc8x8, 24, 24), kCorrupted},
        {"imageSize cut short", WithLevel(atc8x8, 32, 0), kCorrupted},
        {"no room for imageSize", WithTail(atc8x8, 2), kCorrupted},
        {"zero width", WithLevel(Header(0x8C92, 0, 8, 1), 16, 16), kCorrupted},
        {"zero height", WithLevel(Header(0x8C92, 8, 0, 1), 16, 16), kCorrupted},
        {"zero by zero", WithLevel(Header(0x1908, 0, 0, 1), 4, 4), kCorrupted},
        {"huge size, tiny file", WithLevel(Header(0x1908, 0xFFFFFFFF, 0xFFFFFFFF, 1), 16, 16),
         kCorrupted},
        {"size whose byte count wraps 64 bits",
         WithLevel(Header(0x1908, 0x80000000, 0x80000000, 1), 4, 4), kCorrupted},
        {"block count whose byte count wraps 64 bits",
         WithLevel(Header(0x8C93, 0xFFFFFFFF, 0xFFFFFFFF, 1), 16, 16), kCorrupted},
        {"huge size, matching imageSize",
         WithLevel(Header(0x8C93, 0x10000, 0x10000, 1), 0xFFFFFFFF, 16), kCorrupted},
        {"key/value block past the end", WithLevel(Header(0x8C92, 4, 4, 1, 0xFFFFFFFF), 8, 8),
         kCorrupted},
        {"header cut short", Bytes(atc8x8.begin(), atc8x8.begin() + 48), kCorrupted},
        {"cube map", WithLevel(WithWord(atc8x8, 52, 6), 32, 32 * 6), kInvalid},
        {"array", WithLevel(WithWord(atc8x8, 48, 2), 32, 64), kInvalid},
        {"3-D texture", WithLevel(WithWord(atc8x8, 44, 2), 32, 64), kInvalid},
    };
    TempDir dir;
    for (const HostileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.File("hostile.ktx");
        WriteFileBytes(path, c.file);
        EXPECT_EQ(LoadMessage(path, true), c.message);
        EXPECT_EQ(LoadMessage(path, false), c.message);
    }
}

TEST(KTXReader, LaterLevelSmallerThanItNeedsIsRefused) {
    TempDir dir;
    Bytes file = Header(0x1908, 4, 2, 2);
    AppendLevel(file, 32, 32);
    AppendLevel(file, 4, 4);
    const std::string path = dir.File("level1.ktx");
    WriteFileBytes(path, file);
    EXPECT_EQ(LoadMessage(path, false, 2), kCorrupted);
}

}  // namespace
