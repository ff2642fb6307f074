// ATC files written by the command-line tool, read back and decoded.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "atc.h"
#include "fixture_images.h"
#include "process.h"
#include "quenda.h"
#include "temp_dir.h"

namespace {

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgba;
};

// Gentle colour and alpha gradients: every block of every level lies close
// to a line in colour space, so the blocks can be near exact.
Picture SmoothPicture(uint32_t width, uint32_t height) {
    Picture picture{width, height, std::vector<uint8_t>(size_t{width} * height * 4)};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = &picture.rgba[(size_t{y} * width + x) * 4];
            p[0] = static_cast<uint8_t>(60 + x * 120 / width);
            p[1] = static_cast<uint8_t>(200 - y * 100 / height);
            p[2] = static_cast<uint8_t>(90 + (x + y) * 60 / (width + height));
            p[3] = static_cast<uint8_t>(255 - x * 200 / width);
        }
    }
    return picture;
}

// The engine's box reduction by whole factors; leftover columns and rows
// are ignored.
Picture Reduce(const Picture& source, uint32_t width, uint32_t height) {
    if (source.width == width && source.height == height) {
        return source;
    }
    const uint32_t fx = std::max(1u, source.width / width);
    const uint32_t fy = std::max(1u, source.height / height);
    Picture reduced{width, height, std::vector<uint8_t>(size_t{width} * height * 4)};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (int k = 0; k < 4; ++k) {
                uint32_t sum = 0;
                for (uint32_t j = 0; j < fy; ++j) {
                    for (uint32_t i = 0; i < fx; ++i) {
                        const size_t row = size_t{y} * fy + j;
                        sum += source.rgba[(row * source.width + x * fx + i) * 4 + k];
                    }
                }
                reduced.rgba[(size_t{y} * width + x) * 4 + k] =
                    static_cast<uint8_t>(sum / (fx * fy));
            }
        }
    }
    return reduced;
}

uint32_t Word(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

struct KtxLevel {
    uint32_t width;
    uint32_t height;
    std::string data;
};

struct Ktx {
    uint32_t glInternalFormat = 0;
    std::vector<KtxLevel> levels;
};

bool ReadKtx(const std::string& path, Ktx* ktx) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 64) {
        return false;
    }
    ktx->glInternalFormat = Word(bytes, 28);
    const uint32_t width = Word(bytes, 36);
    const uint32_t height = Word(bytes, 40);
    size_t offset = 64 + size_t{Word(bytes, 60)};
    for (uint32_t i = 0; i < Word(bytes, 56); ++i) {
        if (offset + 4 > bytes.size()) {
            return false;
        }
        const uint32_t size = Word(bytes, offset);
        offset += 4;
        if (offset + size > bytes.size()) {
            return false;
        }
        ktx->levels.push_back(
            {std::max(1u, width >> i), std::max(1u, height >> i), bytes.substr(offset, size)});
        offset += size;
    }
    return offset == bytes.size();
}

// The loaded picture's bytes are red, green, blue, alpha; the stored
// channels follow them, so ORDER_RGB gives the picture's byte order back.
bool DecodeLevel(const std::string& type, const KtxLevel& level, Picture* picture) {
    const auto* data = reinterpret_cast<const uint8_t*>(level.data.data());
    const size_t pixels = size_t{level.width} * level.height;
    picture->width = level.width;
    picture->height = level.height;
    picture->rgba.assign(pixels * 4, 255);
    std::vector<uint8_t> decoded(pixels * 4);
    if (type == "ATC RGBA Interpolated") {
        return QuendaDecode(FORMAT_ATC, level.width, level.height, 0x12, data, 0, ORDER_RGB,
                            picture->rgba.data(),
                            static_cast<uint32_t>(picture->rgba.size())) == RESULT_OK;
    }
    const bool alpha = type == "ATC RGBA Explicit";
    const ATI_TC_Header header{FORMAT_ATC, level.width, level.height,
                               alpha ? FLAG_ALPHA : FLAG_NO_ALPHA, 20};
    uint32_t size = static_cast<uint32_t>(decoded.size());
    if (ATI_TC_Decode(&header, data, ORDER_RGB, decoded.data(), &size) != RESULT_OK) {
        return false;
    }
    const size_t c = alpha ? 4 : 3;
    for (size_t p = 0; p < pixels; ++p) {
        std::memcpy(&picture->rgba[4 * p], &decoded[c * p], c);
    }
    return true;
}

// What our own codecs make of a picture for the compression type.
std::string EncodeLevel(const std::string& type, const Picture& picture) {
    const int32_t width = static_cast<int32_t>(picture.width);
    const int32_t height = static_cast<int32_t>(picture.height);
    const bool rgb = type == "ATC RGB";
    const size_t blockCount = size_t{(picture.width + 3) / 4} * ((picture.height + 3) / 4);
    std::string blocks(blockCount * (rgb ? 8 : 16), '\0');
    auto* output = reinterpret_cast<uint8_t*>(blocks.data());
    uint32_t size = static_cast<uint32_t>(blocks.size());
    if (type == "ATC RGBA Interpolated") {
        QuendaEncode(picture.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, width, height,
                     width * 4, 0x12, FORMAT_ATC, output, &size);
    } else {
        ATI_TC_Header header{};
        ATI_TC_Encode(picture.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, width, height,
                      width * 4, rgb ? FLAG_NO_ALPHA : FLAG_ALPHA, FORMAT_ATC, &header, output,
                      &size);
    }
    return blocks;
}

// Peak signal to noise ratio over the colour channels, or over alpha alone.
double Psnr(const Picture& a, const Picture& b, bool alpha) {
    double sum = 0;
    size_t count = 0;
    for (size_t p = 0; p < a.rgba.size(); p += 4) {
        for (size_t k = alpha ? 3 : 0; k < (alpha ? 4u : 3u); ++k) {
            const double d = static_cast<int>(a.rgba[p + k]) - static_cast<int>(b.rgba[p + k]);
            sum += d * d;
            ++count;
        }
    }
    if (sum == 0) {
        return 99.0;
    }
    return 10.0 * std::log10(255.0 * 255.0 / (sum / static_cast<double>(count)));
}

struct RunCase {
    std::string type;
    uint32_t glInternalFormat;
    uint32_t width;
    uint32_t height;
    bool mips;
    uint32_t outWidth;  // 0 keeps the picture's size
    uint32_t outHeight;
};

TEST(AtcCommandLine, OwnOutputDecodesCloseToThePicture) {
    const std::string types[] = {"ATC RGB", "ATC RGBA Explicit", "ATC RGBA Interpolated"};
    const uint32_t formats[] = {0x8C92, 0x8C93, 0x87EE};
    std::vector<RunCase> cases;
    for (int t = 0; t < 3; ++t) {
        cases.push_back({types[t], formats[t], 37, 21, false, 0, 0});
        cases.push_back({types[t], formats[t], 64, 48, true, 0, 0});
        cases.push_back({types[t], formats[t], 64, 48, true, 32, 24});
    }
    TempDir dir;
    for (const RunCase& c : cases) {
        const std::string name = c.type + " " + std::to_string(c.width) + "x" +
                                 std::to_string(c.height) + (c.mips ? " mips" : "") +
                                 (c.outWidth != 0 ? " to " + std::to_string(c.outWidth) + "x" +
                                                        std::to_string(c.outHeight)
                                                  : "");
        SCOPED_TRACE(name);
        const Picture picture = SmoothPicture(c.width, c.height);
        const std::string input = dir.File("picture.tga");
        const std::string output = dir.File("out.ktx");
        ASSERT_TRUE(WriteTga(input, c.width, c.height, picture.rgba));
        std::vector<std::string> arguments = {input, output, c.type, c.mips ? "yes" : "no"};
        if (c.outWidth != 0) {
            arguments.push_back(std::to_string(c.outWidth));
            arguments.push_back(std::to_string(c.outHeight));
        }
        const ProcessResult run = RunVostrelCmd(arguments);
        ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
        ASSERT_EQ(run.errorOutput.find("ERROR"), std::string::npos) << run.errorOutput;

        Ktx ktx;
        ASSERT_TRUE(ReadKtx(output, &ktx));
        EXPECT_EQ(ktx.glInternalFormat, c.glInternalFormat);
        uint32_t levels = 1;
        for (uint32_t w = c.width, h = c.height; c.mips && (w > 1 || h > 1); w >>= 1, h >>= 1) {
            ++levels;
        }
        ASSERT_EQ(ktx.levels.size(), levels);

        // Level 0 comes from the picture, each further level from the one
        // before it, decoded and halved: the engine's input for every level.
        const uint32_t width = c.outWidth != 0 ? c.outWidth : c.width;
        const uint32_t height = c.outHeight != 0 ? c.outHeight : c.height;
        Picture levelInput = picture;
        for (size_t i = 0; i < ktx.levels.size(); ++i) {
            SCOPED_TRACE("level " + std::to_string(i));
            const KtxLevel& level = ktx.levels[i];
            ASSERT_EQ(level.width, std::max(1u, width >> i));
            ASSERT_EQ(level.height, std::max(1u, height >> i));
            levelInput = Reduce(levelInput, level.width, level.height);
            EXPECT_EQ(level.data, EncodeLevel(c.type, levelInput))
                << "the blocks are our codecs' blocks for the level's input";
            Picture decoded;
            ASSERT_TRUE(DecodeLevel(c.type, level, &decoded));
            // A single block cannot hold a two-way gradient, so the small
            // levels are held to a lower bound.
            const double colourBound = i == 0 ? 35.0 : 20.0;
            const double colour = Psnr(levelInput, decoded, false);
            EXPECT_GT(colour, colourBound) << "colour PSNR " << colour << " dB";
            if (c.type != "ATC RGB") {
                const double alpha = Psnr(levelInput, decoded, true);
                EXPECT_GT(alpha, 28.0) << "alpha PSNR " << alpha << " dB";
            }
            levelInput = decoded;
        }
    }
}

}  // namespace
