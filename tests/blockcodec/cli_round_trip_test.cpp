// Pictures compressed to ETC1 RGB8, 3DC X and 3DC XY by the real executable,
// read from the KTX files it writes and decoded by the independent decoders.
#include <android/ETC1/etc1.h>
#include <gtest/gtest.h>
#include <squish.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"

namespace {

struct CompressionType {
    const char* name;
    uint32_t glInternalFormat;
    uint32_t blockBytes;
    int channels;  // channels the blocks hold, from channel 0 up
};

const CompressionType kTypes[] = {
    {"ETC1 RGB8", 0x8D64, 8, 3},
    {"3DC X", 0x87F9, 8, 1},
    {"3DC XY", 0x87FA, 16, 2},
};

struct KtxLevel {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> data;
};

struct KtxFile {
    uint32_t glInternalFormat = 0;
    std::vector<KtxLevel> levels;
};

uint32_t Word(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
    }
    return value;
}

::testing::AssertionResult ReadKtx(const std::string& path, KtxFile* file) {
    const std::string bytes = ReadFileBytes(path);
    static const uint8_t kIdentifier[12] = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31,
                                            0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
    if (bytes.size() < 64 || std::memcmp(bytes.data(), kIdentifier, 12) != 0 ||
        Word(bytes, 12) != 0x04030201) {
        return ::testing::AssertionFailure() << path << " has no KTX header";
    }
    file->glInternalFormat = Word(bytes, 28);
    const uint32_t width = Word(bytes, 36);
    const uint32_t height = Word(bytes, 40);
    size_t offset = 64 + Word(bytes, 60);
    for (uint32_t i = 0; i < Word(bytes, 56); ++i) {
        if (offset + 4 > bytes.size()) {
            return ::testing::AssertionFailure() << path << " ends before level " << i;
        }
        const uint32_t size = Word(bytes, offset);
        offset += 4;
        if (offset + size > bytes.size()) {
            return ::testing::AssertionFailure() << path << " ends inside level " << i;
        }
        KtxLevel level;
        level.width = std::max(width >> i, 1u);
        level.height = std::max(height >> i, 1u);
        level.data.assign(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                          bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
        offset += size;
        file->levels.push_back(std::move(level));
    }
    if (offset != bytes.size()) {
        return ::testing::AssertionFailure()
               << path << " has " << bytes.size() - offset << " bytes after its levels";
    }
    return ::testing::AssertionSuccess();
}

// The channels of a level as the independent decoders give them, 3 bytes
// per pixel; channels the type does not hold are 0.
std::vector<uint8_t> OracleDecode(const CompressionType& type, const KtxLevel& level) {
    std::vector<uint8_t> pixels(static_cast<size_t>(level.width) * level.height * 3, 0);
    if (type.channels == 3) {
        EXPECT_EQ(etc1_decode_image(level.data.data(), pixels.data(), level.width, level.height, 3,
                                    level.width * 3),
                  0);
        return pixels;
    }
    const uint32_t blocksAcross = (level.width + 3) / 4;
    for (uint32_t by = 0; by < (level.height + 3) / 4; ++by) {
        for (uint32_t bx = 0; bx < blocksAcross; ++bx) {
            const uint8_t* block = &level.data[(by * blocksAcross + bx) * type.blockBytes];
            // 3DC XY: the first half holds channel 1, the second channel 0.
            for (int half = 0; half < type.channels; ++half) {
                const int channel = type.channels == 2 ? 1 - half : 0;
                uint8_t dxt5[16] = {};
                std::memcpy(dxt5, block + 8 * half, 8);
                uint8_t rgba[64];
                squish::Decompress(rgba, dxt5, squish::kDxt5);
                for (uint32_t y = 0; y < 4 && 4 * by + y < level.height; ++y) {
                    for (uint32_t x = 0; x < 4 && 4 * bx + x < level.width; ++x) {
                        pixels[((4 * by + y) * level.width + 4 * bx + x) * 3 + channel] =
                            rgba[(4 * y + x) * 4 + 3];
                    }
                }
            }
        }
    }
    return pixels;
}

// The picture's pixels in the order the loader hands them to the encoder:
// red, green, blue.
std::vector<uint8_t> LoadedOrder(const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> pixels;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        pixels.insert(pixels.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
    }
    return pixels;
}

double MeanAbsoluteError(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b,
                         int channels) {
    double total = 0;
    size_t count = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        for (int c = 0; c < channels; ++c) {
            total += std::abs(static_cast<int>(a[i + c]) - static_cast<int>(b[i + c]));
            ++count;
        }
    }
    return total / static_cast<double>(count);
}

double ChannelMean(const std::vector<uint8_t>& pixels, int channel) {
    double total = 0;
    for (size_t i = static_cast<size_t>(channel); i < pixels.size(); i += 3) {
        total += pixels[i];
    }
    return total / static_cast<double>(pixels.size() / 3);
}

class CliRoundTrip : public ::testing::Test {
  protected:
    static constexpr uint32_t kWidth = 32;
    static constexpr uint32_t kHeight = 24;

    void SetUp() override {
        picture_ = PatternPixels(kWidth, kHeight);
        input_ = directory_.File("picture.tga");
        ASSERT_TRUE(WriteTga(input_, kWidth, kHeight, picture_));
    }

    ::testing::AssertionResult Compress(const std::vector<std::string>& arguments, KtxFile* file) {
        const ProcessResult run = RunVostrelCmd(arguments);
        if (run.exitStatus != 0 || run.errorOutput.find("ERROR") != std::string::npos ||
            run.errorOutput.find("Usage") != std::string::npos) {
            return ::testing::AssertionFailure()
                   << "exit " << run.exitStatus << ": " << run.errorOutput;
        }
        return ReadKtx(arguments[1], file);
    }

    // Every level has whole blocks, the given sizes, and decodes.
    void ExpectLevels(const CompressionType& type, const KtxFile& file,
                      const std::vector<std::pair<uint32_t, uint32_t>>& sizes) {
        EXPECT_EQ(file.glInternalFormat, type.glInternalFormat);
        ASSERT_EQ(file.levels.size(), sizes.size());
        for (size_t i = 0; i < sizes.size(); ++i) {
            const KtxLevel& level = file.levels[i];
            EXPECT_EQ(level.width, sizes[i].first) << type.name << " level " << i;
            EXPECT_EQ(level.height, sizes[i].second) << type.name << " level " << i;
            EXPECT_EQ(level.data.size(),
                      ((level.width + 3) / 4) * ((level.height + 3) / 4) * type.blockBytes)
                << type.name << " level " << i;
        }
    }

    // The level's decoded channel means stay near the picture's.
    void ExpectMeansNearPicture(const CompressionType& type, const KtxLevel& level,
                                double tolerance) {
        const std::vector<uint8_t> decoded = OracleDecode(type, level);
        const std::vector<uint8_t> loaded = LoadedOrder(picture_);
        for (int c = 0; c < type.channels; ++c) {
            EXPECT_NEAR(ChannelMean(decoded, c), ChannelMean(loaded, c), tolerance)
                << type.name << " " << level.width << "x" << level.height << " channel " << c;
        }
    }

    TempDir directory_;
    std::vector<uint8_t> picture_;
    std::string input_;
};

TEST_F(CliRoundTrip, OneLevelDecodesCloseToThePicture) {
    for (const CompressionType& type : kTypes) {
        KtxFile file;
        ASSERT_TRUE(Compress({input_, directory_.File("out.ktx"), type.name}, &file));
        ExpectLevels(type, file, {{kWidth, kHeight}});
        const double error = MeanAbsoluteError(OracleDecode(type, file.levels[0]),
                                               LoadedOrder(picture_), type.channels);
        EXPECT_LT(error, type.channels == 3 ? 6.0 : 2.0) << type.name;
    }
}

TEST_F(CliRoundTrip, MipChainsHaveEveryLevel) {
    for (const CompressionType& type : kTypes) {
        KtxFile file;
        ASSERT_TRUE(Compress({input_, directory_.File("mips.ktx"), type.name, "yes"}, &file));
        ExpectLevels(type, file, {{32, 24}, {16, 12}, {8, 6}, {4, 3}, {2, 1}, {1, 1}});
        for (const KtxLevel& level : file.levels) {
            ExpectMeansNearPicture(type, level, 16.0);
        }
    }
}

TEST_F(CliRoundTrip, ResizedOutputsWithAndWithoutMips) {
    for (const CompressionType& type : kTypes) {
        KtxFile smaller;
        ASSERT_TRUE(
            Compress({input_, directory_.File("small.ktx"), type.name, "no", "16", "8"}, &smaller));
        ExpectLevels(type, smaller, {{16, 8}});
        ExpectMeansNearPicture(type, smaller.levels[0], 10.0);

        // The level count follows the source size, the level sizes the request.
        KtxFile larger;
        ASSERT_TRUE(Compress({input_, directory_.File("large.ktx"), type.name, "yes", "64", "48"},
                             &larger));
        ExpectLevels(type, larger, {{64, 48}, {32, 24}, {16, 12}, {8, 6}, {4, 3}, {2, 1}});
        ExpectMeansNearPicture(type, larger.levels[0], 10.0);
    }
}

TEST_F(CliRoundTrip, KtxInputOfEachTypeLoadsBack) {
    for (const CompressionType& type : kTypes) {
        KtxFile first;
        const std::string firstPath = directory_.File("first.ktx");
        ASSERT_TRUE(Compress({input_, firstPath, type.name}, &first));
        KtxFile second;
        ASSERT_TRUE(Compress({firstPath, directory_.File("second.ktx"), type.name}, &second));
        ExpectLevels(type, second, {{kWidth, kHeight}});
        const double drift = MeanAbsoluteError(OracleDecode(type, second.levels[0]),
                                               OracleDecode(type, first.levels[0]), type.channels);
        EXPECT_LT(drift, type.channels == 3 ? 4.0 : 1.5) << type.name;
    }
}

}  // namespace
