// DescribeContainerFile on files the writers make (which conform) and on
// files broken one way each (which name exactly that deviation).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "container_description.h"
#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

struct Chain {
    std::vector<Record> records;
    std::vector<TextureImage*> pointers;
};

// A full chain of the format for a width x height texture, made of records of
// the right sizes.
Chain MakeChain(uint32_t format, uint32_t width, uint32_t height) {
    Chain chain;
    const uint32_t bytesPerBlock = format == 22 || format == 24 || format == 27 ? 16 : 8;
    for (uint32_t i = 0; i < CountMipLevels(width, height); ++i) {
        const uint32_t w = std::max(width >> i, 1u);
        const uint32_t h = std::max(height >> i, 1u);
        const uint32_t size = format == 1 ? w * h * 4 : (w + 3) / 4 * ((h + 3) / 4) * bytesPerBlock;
        chain.records.push_back(MakeRecord(format, w, h, size, uint8_t(i)));
        chain.pointers.push_back(chain.records.back().get());
    }
    return chain;
}

ContainerDescription Describe(const std::string& path) {
    ContainerDescription description;
    char message[kMessageBufferSize] = "";
    EXPECT_TRUE(DescribeContainerFile(path.c_str(), &description, message)) << message;
    return description;
}

ContainerDescription DescribeBytes(const TempDir& dir, const Bytes& file) {
    const std::string path = dir.File("described");
    WriteFileBytes(path, file);
    return Describe(path);
}

const ContainerField* Field(const ContainerDescription& description, const std::string& name) {
    for (const ContainerField& field : description.fields) {
        if (field.name == name) {
            return &field;
        }
    }
    return nullptr;
}

TEST(ContainerDescription, FilesTheWritersMakeConformLevelByLevel) {
    TempDir dir;
    for (uint32_t format : {1u, 22u, 23u, 24u, 25u, 26u, 27u}) {
        SCOPED_TRACE(format);
        Chain chain = MakeChain(format, 16, 8);
        const uint32_t count = uint32_t(chain.pointers.size());
        const std::string ktx = dir.File("chain.ktx");
        ASSERT_TRUE(SaveImageKTX(ktx.c_str(), chain.pointers.data(), count, nullptr));
        ContainerDescription description = Describe(ktx);
        EXPECT_EQ(description.kind, ContainerKind::KTX);
        EXPECT_EQ(description.standard, "KTX 1.1");
        EXPECT_EQ(description.format, format);
        EXPECT_EQ(description.deviations, Lines{});
        EXPECT_EQ(description.notes, Lines{});
        EXPECT_EQ(description.fileSize, ReadFileBytes(ktx).size());
        ASSERT_EQ(description.levels.size(), count);
        uint64_t offset = 64;
        for (uint32_t i = 0; i < count; ++i) {
            const ContainerLevel& level = description.levels[i];
            EXPECT_EQ(level.width, chain.records[i]->nWidth);
            EXPECT_EQ(level.height, chain.records[i]->nHeight);
            EXPECT_EQ(level.offset, offset);
            EXPECT_EQ(level.imageSize, chain.records[i]->nDataSize);
            EXPECT_EQ(level.expectedSize, chain.records[i]->nDataSize);
            EXPECT_TRUE(level.complete);
            offset += 4 + level.imageSize;
        }
        ASSERT_NE(Field(description, "pixelWidth"), nullptr);
        EXPECT_EQ(Field(description, "pixelWidth")->value, 16u);
        EXPECT_EQ(Field(description, "glInternalFormat")->offset, 28u);

        const std::string dds = dir.File("chain.dds");
        ASSERT_TRUE(SaveImageDDS(dds.c_str(), chain.pointers.data(), count, nullptr));
        description = Describe(dds);
        EXPECT_EQ(description.kind, ContainerKind::DDS);
        EXPECT_EQ(description.format, format);
        EXPECT_EQ(description.deviations, Lines{});
        EXPECT_EQ(description.levels.size(), count);
        EXPECT_EQ(Field(description, "dwWidth")->value, 16u);
        EXPECT_EQ(Field(description, "ddspf.dwFourCC")->offset, 84u);
    }
    Record top = MakeRecord(25, 8, 8, 32);
    TextureImage* levels[] = {top.get()};
    ASSERT_TRUE(SaveImageKTX(dir.File("etc1.ktx").c_str(), levels, 1, nullptr));
    const ContainerDescription etc1 = Describe(dir.File("etc1.ktx"));
    EXPECT_EQ(Field(etc1, "glInternalFormat")->text, "0x8D64");
    EXPECT_EQ(Field(etc1, "glInternalFormat")->meaning, "ETC1 RGB8");
    EXPECT_EQ(Field(etc1, "glBaseInternalFormat")->meaning, "GL_RGB");
    EXPECT_EQ(Field(etc1, "endianness")->text, "0x04030201");
    EXPECT_EQ(Field(etc1, "identifier")->text, "AB 4B 54 58 20 31 31 BB 0D 0A 1A 0A");
}

// A one-level 8 x 8 ETC1 file as the writer makes it.
Bytes ETC1File(uint32_t levels = 1, uint32_t keyValueBytes = 0) {
    Bytes file = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31, 0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
    for (uint32_t word :
         {0x04030201u, 0u, 1u, 0u, 0x8D64u, 0x1907u, 8u, 8u, 0u, 0u, 1u, levels, keyValueBytes}) {
        AppendWord(file, word);
    }
    return file;
}

Bytes WithLevel(Bytes file, uint32_t imageSize, uint32_t dataBytes) {
    AppendWord(file, imageSize);
    file.resize(file.size() + dataBytes, 0x5A);
    return file;
}

Bytes WithWord(Bytes file, size_t offset, uint32_t value) {
    PutWord(file, offset, value);
    return file;
}

Bytes WithBytes(Bytes file, const Bytes& tail) {
    file.insert(file.end(), tail.begin(), tail.end());
    return file;
}

Bytes Truncated(Bytes file, size_t size) {
    file.resize(size);
    return file;
}

// The same file with every 32-bit number's bytes swapped, as a big-endian
// writer makes it.
Bytes Swapped(Bytes file, size_t words) {
    for (size_t offset = 12; offset < 12 + 4 * words; offset += 4) {
        std::swap(file[offset], file[offset + 3]);
        std::swap(file[offset + 1], file[offset + 2]);
    }
    return file;
}

struct DeviationCase {
    const char* name;
    Bytes file;
    Lines deviations;
};

TEST(ContainerDescription, EachKTXDeviationIsNamedOnce) {
    const Bytes good = WithLevel(ETC1File(), 32, 32);
    Bytes wrongIdentifier = good;
    wrongIdentifier[5] = '2';
    const DeviationCase cases[] = {
        {"identifier",
         wrongIdentifier,
         {"identifier: AB 4B 54 58 20 32 31 BB 0D 0A 1A 0A, but KTX 1.1's is AB 4B 54 58 20 31 31 "
          "BB 0D 0A 1A 0A"}},
        {"endianness",
         WithWord(good, 12, 0x11223344),
         {"endianness: 0x11223344 is neither 0x04030201 (little-endian) nor 0x01020304 "
          "(big-endian)"}},
        {"glType", WithWord(good, 16, 0x1401), {"glType: 0x1401, but ETC1 RGB8 data needs 0x0000"}},
        {"glTypeSize", WithWord(good, 20, 0), {"glTypeSize: 0, but ETC1 RGB8 data needs 1"}},
        {"glFormat",
         WithWord(good, 24, 0x1907),
         {"glFormat: 0x1907, but ETC1 RGB8 data needs 0x0000"}},
        {"glBaseInternalFormat",
         WithWord(good, 32, 0x8D64),
         {"glBaseInternalFormat: 0x8D64, but ETC1 RGB8 needs 0x1907 (GL_RGB)"}},
        {"pixelWidth",
         WithWord(WithWord(good, 36, 0), 40, 8),
         {"pixelWidth: 0, but a texture is at least one pixel wide",
          "level 0 (1 x 8): imageSize 32, but ETC1 RGB8 data of that size is 16 bytes"}},
        {"faces",
         WithWord(good, 52, 3),
         {"numberOfFaces: 3, but a texture has 1 face, a cube map 6"}},
        {"imageSize too large",
         WithLevel(ETC1File(), 40, 40),
         {"level 0 (8 x 8): imageSize 40, but ETC1 RGB8 data of that size is 32 bytes"}},
        {"level cut short",
         WithLevel(ETC1File(), 32, 20),
         {"level 0 (8 x 8): the file ends 12 bytes before the end of its data"}},
        {"levels missing",
         WithLevel(ETC1File(3), 32, 32),
         {"levels 1 to 2 are missing: the file ends at byte 100"}},
        {"last level missing",
         WithLevel(WithLevel(ETC1File(3), 32, 32), 8, 8),
         {"level 2 is missing: the file ends at byte 112"}},
        {"bytes left over",
         WithBytes(good, {1, 2, 3, 4, 5}),
         {"5 bytes are left over after the last level"}},
        {"header cut short",
         Truncated(good, 40),
         {"the file is 40 bytes long, shorter than the 64-byte KTX header"}},
        {"too many levels",
         WithLevel(ETC1File(0xFFFFFFFF), 32, 32),
         {"numberOfMipmapLevels: 4294967295, more than the 32 levels a texture can have; the "
          "first 32 are described",
          "levels 1 to 31 are missing: the file ends at byte 100"}},
        {"key/value size not a multiple of 4",
         WithLevel(WithBytes(ETC1File(1, 6), {2, 0, 0, 0, 'k', 0}), 32, 32),
         {"bytesOfKeyValueData: 6 is not a multiple of 4",
          "key/value entry at offset 64: its padding runs past the end of the key/value data"}},
        {"key/value entry past its block",
         WithLevel(WithBytes(ETC1File(1, 8), {9, 0, 0, 0, 'k', 0, 'v', 0}), 32, 32),
         {"key/value entry at offset 64: keyAndValueByteSize 9 runs past the end of the "
          "key/value data"}},
        {"key without NUL",
         WithLevel(WithBytes(ETC1File(1, 8), {4, 0, 0, 0, 'k', 'e', 'y', 's'}), 32, 32),
         {"key/value entry at offset 64: its key has no terminating NUL"}},
        {"key/value block past the file",
         WithBytes(ETC1File(1, 100), {4, 0, 0, 0}),
         {"bytesOfKeyValueData: 100, but the file holds only 4 bytes after the header",
          "level 0 is missing: the file ends at byte 68"}},
    };
    TempDir dir;
    for (const DeviationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ContainerDescription description = DescribeBytes(dir, c.file);
        EXPECT_EQ(description.kind, ContainerKind::KTX);
        EXPECT_EQ(description.deviations, c.deviations);
        EXPECT_FALSE(description.Conforms());
    }
}

TEST(ContainerDescription, KeyValueEntriesAreReadWithTheirBytes) {
    const Bytes entries = {16,  0,   0,   0,   'K', 'T', 'X', 'o', 'r', 'i', 'e',
                           'n', 't', 'a', 't', 'i', 'o', 'n', 0,   'S', 5,   0,
                           0,   0,   'r', 'a', 'w', 0,   1,   0,   0,   0};
    TempDir dir;
    const ContainerDescription description =
        DescribeBytes(dir, WithLevel(WithBytes(ETC1File(1, 32), entries), 32, 32));
    EXPECT_EQ(description.deviations, Lines{});
    ASSERT_EQ(description.keyValues.size(), 2u);
    EXPECT_EQ(description.keyValues[0].offset, 64u);
    EXPECT_EQ(description.keyValues[0].key, "KTXorientation");
    EXPECT_EQ(description.keyValues[0].value, (Bytes{'S'}));
    EXPECT_EQ(description.keyValues[1].offset, 84u);
    EXPECT_EQ(description.keyValues[1].key, "raw");
    EXPECT_EQ(description.keyValues[1].value, (Bytes{1}));
    EXPECT_EQ(description.levels.at(0).offset, 96u);
}

TEST(ContainerDescription, BigEndianFilesAreReadSwappedAndConform) {
    TempDir dir;
    Bytes file = Swapped(ETC1File(), 13);
    AppendWord(file, 0x20000000);  // 32, byte-swapped
    file.resize(file.size() + 32, 0);
    const ContainerDescription description = DescribeBytes(dir, file);
    EXPECT_EQ(description.deviations, Lines{});
    EXPECT_EQ(description.notes,
              (Lines{"the file is big-endian: its numbers are read with their "
                     "bytes swapped; VostrelCmd reads only little-endian files"}));
    EXPECT_EQ(Field(description, "pixelWidth")->value, 8u);
    EXPECT_EQ(Field(description, "endianness")->meaning, "big-endian");
    ASSERT_EQ(description.levels.size(), 1u);
    EXPECT_EQ(description.levels[0].imageSize, 32u);
}

TEST(ContainerDescription, ForeignFormatsAndShapesAreNotedWithoutSizeChecks) {
    TempDir dir;
    // GL_RGB8 with GL_UNSIGNED_BYTE: a conforming file the tool does not read.
    Bytes rgb8 = WithWord(WithWord(WithWord(ETC1File(), 28, 0x8051), 16, 0x1401), 24, 0x1907);
    ContainerDescription description = DescribeBytes(dir, WithLevel(rgb8, 192, 192));
    EXPECT_EQ(description.deviations, Lines{});
    EXPECT_EQ(description.format, 0u);
    EXPECT_EQ(description.notes,
              (Lines{"glInternalFormat 0x8051 is not a format VostrelCmd reads: level sizes are "
                     "not checked"}));
    EXPECT_FALSE(description.levels.at(0).hasExpectedSize);

    // A cube map states one face's size and stores six faces.
    Bytes cube = WithWord(ETC1File(), 52, 6);
    AppendWord(cube, 32);
    cube.resize(cube.size() + 6 * 32, 0);
    description = DescribeBytes(dir, cube);
    EXPECT_EQ(description.deviations, Lines{});
    EXPECT_EQ(description.notes, (Lines{"not a plain 2-D texture: VostrelCmd reads only those"}));
    EXPECT_EQ(Field(description, "numberOfFaces")->meaning, "cube map");

    Bytes ktx2 = ETC1File();
    ktx2[5] = '2';
    ktx2[6] = '0';
    description = DescribeBytes(dir, ktx2);
    EXPECT_EQ(description.deviations,
              (Lines{"identifier: the file is KTX 2.0, whose header is laid out differently; only "
                     "KTX 1.1 files are described"}));
}

// An 8 x 8 ETC1 DDS file as SaveImageDDS makes it, without its data.
Bytes ETC1Prefix(uint32_t levels = 1) {
    Bytes file(128, 0);
    PutWord(file, 0, 0x20534444);
    for (const auto& [offset, value] : std::vector<std::pair<size_t, uint32_t>>{{4, 124},
                                                                                {8, 0xA1007},
                                                                                {12, 8},
                                                                                {16, 8},
                                                                                {20, 32},
                                                                                {28, levels},
                                                                                {76, 32},
                                                                                {80, 4},
                                                                                {84, 0x31435445},
                                                                                {108, 0x401008}}) {
        PutWord(file, offset, value);
    }
    return file;
}

Bytes WithData(Bytes file, size_t count) {
    file.resize(file.size() + count, 0x33);
    return file;
}

TEST(ContainerDescription, EachDDSDeviationIsNamedOnce) {
    const Bytes good = WithData(ETC1Prefix(), 32);
    const DeviationCase cases[] = {
        {"foreign FourCC",
         WithWord(good, 84, 0x35545844),
         {"ddspf.dwFourCC: 'DXT5' is not one of the seven FourCCs of the dialect; the levels are "
          "not examined"}},
        {"dwSize", WithWord(good, 4, 100), {"dwSize: 100, but the dialect has 124 for ETC1 RGB8"}},
        {"dwFlags",
         WithWord(good, 8, 0x81007),
         {"dwFlags: 0x81007, but the dialect has 0xA1007 for ETC1 RGB8"}},
        {"pixel format flags",
         WithWord(good, 80, 5),
         {"ddspf.dwFlags: 0x0005, but the dialect has 0x0004 for ETC1 RGB8"}},
        {"top level size",
         WithWord(good, 20, 64),
         {"dwPitchOrLinearSize: 64, but ETC1 RGB8 data of 8 x 8 is 32 bytes"}},
        {"no levels",
         WithWord(good, 28, 0),
         {"dwMipMapCount: 0, but the dialect counts every level written, at least 1"}},
        {"data cut short",
         Truncated(good, 150),
         {"level 0 (8 x 8): the file ends 10 bytes before the end of its data"}},
        {"levels missing",
         WithData(ETC1Prefix(4), 32),
         {"levels 1 to 3 are missing: the file ends at byte 160"}},
        {"bytes left over",
         WithData(ETC1Prefix(), 40),
         {"8 bytes are left over after the last level"}},
        {"header cut short",
         Truncated(good, 100),
         {"the file is 100 bytes long, shorter than the 4-byte magic and the 124-byte DDS header"}},
    };
    TempDir dir;
    for (const DeviationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ContainerDescription description = DescribeBytes(dir, c.file);
        EXPECT_EQ(description.kind, ContainerKind::DDS);
        EXPECT_EQ(description.deviations, c.deviations);
    }
}

TEST(ContainerDescription, FaultyKeyValueEntriesStopBeingExaminedAfterEight) {
    TempDir dir;
    Bytes file = ETC1File(1, 4096);
    file.resize(file.size() + 4096, 0);  // 1024 entries of no bytes
    const ContainerDescription description = DescribeBytes(dir, WithLevel(file, 32, 32));
    ASSERT_EQ(description.deviations.size(), 8u);
    EXPECT_EQ(description.deviations[7],
              "key/value entry at offset 92: keyAndValueByteSize 0 leaves no room for a key");
    EXPECT_EQ(description.notes, (Lines{"key/value entries from offset 96 on are not examined "
                                        "after 8 faulty ones"}));
    EXPECT_EQ(description.levels.size(), 1u);
    EXPECT_TRUE(description.levels[0].complete);
}

TEST(ContainerDescription, FormatsAreNamedAsTheToolNamesThem) {
    EXPECT_EQ(ContainerFormatName(1), "RGBA8888");
    EXPECT_EQ(ContainerFormatName(24), "ATC RGBA Interpolated");
    EXPECT_EQ(ContainerFormatName(27), "3DC XY");
}

TEST(ContainerDescription, OtherFilesAreUnknownAndMissingOnesFail) {
    TempDir dir;
    const ContainerDescription description = DescribeBytes(dir, {0x89, 'P', 'N', 'G', 1, 2});
    EXPECT_EQ(description.kind, ContainerKind::Unknown);
    EXPECT_EQ(description.fileSize, 6u);
    EXPECT_TRUE(description.fields.empty());
    EXPECT_EQ(SniffContainer(dir.File("described").c_str()), ContainerKind::Unknown);

    ContainerDescription missing;
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(DescribeContainerFile(dir.File("none").c_str(), &missing, message));
    EXPECT_STREQ(message, "DescribeContainerFile: File could not be opened for reading.");
    EXPECT_FALSE(DescribeContainerFile(dir.Path().c_str(), &missing, nullptr));
}

}  // namespace
