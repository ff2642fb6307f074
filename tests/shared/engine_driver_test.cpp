// Compress, Decompress and CompressMipChain through the engine: sizes,
// level sizes, failures and the level-start function.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

Record SolidPicture(uint32_t width, uint32_t height, Bytes pixel) {
    Record image = MakeRecord(1, width, height, width * height * 4);
    for (uint32_t i = 0; i < width * height * 4; ++i) {
        image->pData[i] = pixel[i % 4];
    }
    return image;
}

TEST(Compress, FormatOneGivesAnUncompressedCopyAtTheRequestedSize) {
    Record source = MakeRecord(1, 4, 4, 64);
    Record copy(CreateTextureImage());
    ASSERT_TRUE(Compress(source.get(), copy.get(), 1, 4, 4, nullptr));
    EXPECT_EQ(copy->nFormat, 1u);
    EXPECT_EQ(RecordBytes(*copy), RecordBytes(*source));

    Record solid = SolidPicture(8, 8, {255, 0, 0, 255});
    Record half(CreateTextureImage());
    ASSERT_TRUE(Compress(solid.get(), half.get(), 1, 4, 2, nullptr));
    EXPECT_EQ(half->nWidth, 4u);
    EXPECT_EQ(half->nHeight, 2u);
    EXPECT_EQ(RecordBytes(*half), RecordBytes(*SolidPicture(4, 2, {255, 0, 0, 255})));
}

TEST(Compress, GivesTheBlockSizeOfEachFormat) {
    Record source = SolidPicture(8, 4, {10, 200, 30, 255});
    const std::pair<uint32_t, uint32_t> cases[] = {{22, 32}, {23, 16}, {24, 32},
                                                   {25, 16}, {26, 16}, {27, 32}};
    for (const auto& [format, size] : cases) {
        SCOPED_TRACE(format);
        Record destination(CreateTextureImage());
        char message[kMessageBufferSize] = "";
        ASSERT_TRUE(Compress(source.get(), destination.get(), format, 8, 4, message)) << message;
        EXPECT_EQ(destination->nFormat, format);
        EXPECT_EQ(destination->nDataSize, size);
        ASSERT_NE(destination->pData, nullptr);
    }
}

TEST(Decompress, ATCTextureDecodesBackToItsColour) {
    Record source = SolidPicture(4, 4, {0, 0, 255, 255});
    Record compressed(CreateTextureImage());
    ASSERT_TRUE(Compress(source.get(), compressed.get(), 23, 4, 4, nullptr));
    Record decoded(CreateTextureImage());
    ASSERT_TRUE(Decompress(compressed.get(), decoded.get(), 4, 4, nullptr));
    EXPECT_EQ(decoded->nFormat, 1u);
    EXPECT_EQ(RecordBytes(*decoded), RecordBytes(*source));
}

TEST(Compress, SourceWithoutDataFailsInTheSecondPassAndKeepsTheBuffer) {
    Record source = MakeRecord(1, 4, 4, 64);
    std::free(source->pData);
    source->pData = nullptr;
    Record destination(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(Compress(source.get(), destination.get(), 23, 4, 4, message));
    EXPECT_STREQ(message,
                 "Compress: Error occurred in second pass through Morlune library, panic!");
    EXPECT_EQ(destination->nDataSize, 8u);
    EXPECT_NE(destination->pData, nullptr);
}

TEST(CompressMipChain, NineLevelsOfAWideImageFollowTheLevelSizeRule) {
    Record source = SolidPicture(256, 64, {90, 90, 90, 255});
    std::vector<Record> records;
    std::vector<TextureImage*> levels;
    for (int i = 0; i < 9; ++i) {
        records.emplace_back(CreateTextureImage());
        levels.push_back(records.back().get());
    }
    char message[kMessageBufferSize] = "";
    ASSERT_TRUE(CompressMipChain(source.get(), levels.data(), 23, 256, 64, 9, message)) << message;
    const std::pair<uint32_t, uint32_t> sizes[] = {{256, 64}, {128, 32}, {64, 16}, {32, 8}, {16, 4},
                                                   {8, 2},    {4, 1},    {2, 1},   {1, 1}};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(levels[i]->nFormat, 23u);
        EXPECT_EQ(levels[i]->nWidth, sizes[i].first);
        EXPECT_EQ(levels[i]->nHeight, sizes[i].second);
        const uint32_t blocks = ((sizes[i].first + 3) / 4) * ((sizes[i].second + 3) / 4);
        EXPECT_EQ(levels[i]->nDataSize, blocks * 8);
    }
}

TEST(CompressMipChain, OneLevelIsOneCompressCall) {
    Record source = SolidPicture(8, 8, {1, 2, 3, 255});
    Record level(CreateTextureImage());
    TextureImage* levels[] = {level.get()};
    ASSERT_TRUE(CompressMipChain(source.get(), levels, 25, 8, 8, 1, nullptr));
    Record single(CreateTextureImage());
    ASSERT_TRUE(Compress(source.get(), single.get(), 25, 8, 8, nullptr));
    EXPECT_EQ(RecordBytes(*level), RecordBytes(*single));
}

TEST(CompressMipChain, FailureAtLevelThreeKeepsTheLevelsBefore) {
    Record source = SolidPicture(16, 16, {7, 8, 9, 255});
    std::vector<Record> records;
    for (int i = 0; i < 5; ++i) {
        records.emplace_back(CreateTextureImage());
    }
    TextureImage* levels[] = {records[0].get(), records[1].get(), records[2].get(), nullptr,
                              records[4].get()};
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(CompressMipChain(source.get(), levels, 24, 16, 16, 5, message));
    EXPECT_STREQ(message,
                 "Compress: Make sure that both input and output textures have a supported "
                 "compression.");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(levels[i]->nWidth, 16u >> i);
        EXPECT_EQ(levels[i]->nDataSize, (4u >> i) * (4u >> i) * 16);
        EXPECT_NE(levels[i]->pData, nullptr);
    }
    EXPECT_EQ(records[4]->pData, nullptr);
    EXPECT_EQ(records[4]->nWidth, 0u);
}

// What the level-start function saw: each call's level and count, and
// whether that level was still empty while the one before it was done.
struct LevelStarts {
    TextureImage** levels;
    std::vector<std::pair<uint32_t, uint32_t>> calls;
    std::vector<bool> startedBeforeItsLevel;
};

void RecordLevelStart(void* context, uint32_t level, uint32_t levelCount) {
    auto* starts = static_cast<LevelStarts*>(context);
    starts->calls.emplace_back(level, levelCount);
    TextureImage* const* levels = starts->levels;
    const bool empty = levels[level] == nullptr || levels[level]->pData == nullptr;
    const bool previousDone = level == 0 || levels[level - 1]->pData != nullptr;
    starts->startedBeforeItsLevel.push_back(empty && previousDone);
}

TEST(CompressMipChain, TellsEachLevelsStartBeforeCompressingIt) {
    Record source = SolidPicture(16, 16, {7, 8, 9, 255});
    std::vector<Record> records;
    for (int i = 0; i < 5; ++i) {
        records.emplace_back(CreateTextureImage());
    }
    TextureImage* complete[] = {records[0].get(), records[1].get(), records[2].get(),
                                records[3].get(), records[4].get()};
    LevelStarts starts{complete, {}, {}};
    ASSERT_TRUE(CompressMipChain(source.get(), complete, 24, 16, 16, 5, nullptr, RecordLevelStart,
                                 &starts));
    const std::vector<std::pair<uint32_t, uint32_t>> all = {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}};
    EXPECT_EQ(starts.calls, all);
    EXPECT_EQ(starts.startedBeforeItsLevel, std::vector<bool>(5, true));

    // A chain that fails at level 2 has told the start of levels 0 to 2 only.
    std::vector<Record> fresh;
    for (int i = 0; i < 2; ++i) {
        fresh.emplace_back(CreateTextureImage());
    }
    TextureImage* broken[] = {fresh[0].get(), fresh[1].get(), nullptr, records[3].get()};
    LevelStarts failing{broken, {}, {}};
    EXPECT_FALSE(
        CompressMipChain(source.get(), broken, 24, 16, 16, 4, nullptr, RecordLevelStart, &failing));
    const std::vector<std::pair<uint32_t, uint32_t>> firstThree = {{0, 4}, {1, 4}, {2, 4}};
    EXPECT_EQ(failing.calls, firstThree);
}

// A container file of the given format holding one level made from a solid
// colour, written by the program's own writer.
void WriteContainer(const std::string& path, bool ktx, uint32_t format, uint32_t width,
                    uint32_t height, Bytes pixel) {
    Record source = SolidPicture(width, height, pixel);
    Record level(CreateTextureImage());
    ASSERT_TRUE(Compress(source.get(), level.get(), format, width, height, nullptr));
    TextureImage* levels[] = {level.get()};
    ASSERT_TRUE(ktx ? SaveImageKTX(path.c_str(), levels, 1, nullptr)
                    : SaveImageDDS(path.c_str(), levels, 1, nullptr));
}

TEST(LoadImage, KTXAndDDSTexturesDecodeAtTheirTopLevelSize) {
    TempDir dir;
    const std::tuple<const char*, bool, uint32_t> cases[] = {
        {"picture.ktx", true, 22}, {"picture.ktx", true, 1},  {"picture.dds", false, 22},
        {"picture.dds", false, 1}, {"noextension", true, 24},
    };
    for (const auto& [name, ktx, format] : cases) {
        SCOPED_TRACE(std::string(name) + " format " + std::to_string(format));
        const std::string path = dir.File(name);
        WriteContainer(path, ktx, format, 8, 4, {255, 0, 0, 255});
        Record image(CreateTextureImage());
        char message[kMessageBufferSize] = "";
        ASSERT_TRUE(LoadImage(path.c_str(), image.get(), message)) << message;
        EXPECT_EQ(image->nFormat, 1u);
        EXPECT_EQ(image->nWidth, 8u);
        EXPECT_EQ(image->nHeight, 4u);
        EXPECT_EQ(RecordBytes(*image), RecordBytes(*SolidPicture(8, 4, {255, 0, 0, 255})));
    }
}

TEST(LoadImage, KTXChainLoadsItsTopLevelOnly) {
    TempDir dir;
    Record source = SolidPicture(8, 8, {0, 255, 0, 255});
    Record first(CreateTextureImage());
    Record second(CreateTextureImage());
    TextureImage* levels[] = {first.get(), second.get()};
    ASSERT_TRUE(CompressMipChain(source.get(), levels, 23, 8, 8, 2, nullptr));
    const std::string path = dir.File("chain.ktx");
    ASSERT_TRUE(SaveImageKTX(path.c_str(), levels, 2, nullptr));
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
    EXPECT_EQ(image->nWidth, 8u);
    EXPECT_EQ(image->nDataSize, 256u);
}

}  // namespace
