// compare through the real executable, against figures the tests compute
// themselves: Android's ETC1 decoder, libsquish for 3DC, and their own box
// reduction of the source and PSNR arithmetic.
#include <android/ETC1/etc1.h>
#include <gtest/gtest.h>
#include <squish.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "inspect_fixtures.h"
#include "shared.h"
#include "temp_dir.h"

namespace {

using Json = nlohmann::json;

constexpr double kTolerance = 0.01;  // dB

// The source reduced level by level with the engine's box filter.
std::vector<Picture> ReferenceChain(const Picture& source, size_t count) {
    std::vector<Picture> chain = {source};
    while (chain.size() < count) {
        chain.push_back(HalfSize(chain.back()));
    }
    return chain;
}

Picture ETC1Decode(const Bytes& blocks, uint32_t width, uint32_t height) {
    Bytes rgb(size_t(width) * height * 3);
    EXPECT_EQ(etc1_decode_image(blocks.data(), rgb.data(), width, height, 3, width * 3), 0);
    Picture picture{width, height, Bytes(size_t(width) * height * 4, 255)};
    for (size_t i = 0; i < size_t(width) * height; ++i) {
        std::memcpy(&picture.rgba[4 * i], &rgb[3 * i], 3);
    }
    return picture;
}

// 3DC XY blocks: a green and then a red single-channel block (the other way
// round from BC5), each laid out as the alpha half of a DXT5 block.
Picture SquishDecodeXY(const Bytes& blocks, uint32_t width, uint32_t height) {
    Picture picture{width, height, Bytes(size_t(width) * height * 4, 0)};
    const uint32_t across = (width + 3) / 4;
    for (uint32_t by = 0; by < (height + 3) / 4; ++by) {
        for (uint32_t bx = 0; bx < across; ++bx) {
            const uint8_t* block = &blocks[(size_t(by) * across + bx) * 16];
            uint8_t values[2][16];
            for (int half = 0; half < 2; ++half) {
                uint8_t dxt5[16] = {};
                std::memcpy(dxt5, block + 8 * (1 - half), 8);
                uint8_t rgba[64];
                squish::Decompress(rgba, dxt5, squish::kDxt5);
                for (int k = 0; k < 16; ++k) {
                    values[half][k] = rgba[4 * k + 3];
                }
            }
            for (uint32_t k = 0; k < 16; ++k) {
                const uint32_t x = bx * 4 + k % 4;
                const uint32_t y = by * 4 + k / 4;
                if (x < width && y < height) {
                    uint8_t* p = &picture.rgba[(size_t(y) * width + x) * 4];
                    p[0] = values[0][k];
                    p[1] = values[1][k];
                    p[3] = 255;
                }
            }
        }
    }
    return picture;
}

class Compare : public ::testing::Test {
  protected:
    Json CompareJson(const std::string& source, const std::string& texture) {
        const ProcessResult run = RunVostrelInspect({"compare", source, texture, "--json"});
        EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
        return Json::parse(run.output);
    }

    // Checks a level's figures against the test's own.
    void ExpectLevel(const Json& figures, const Quality& quality, const std::string& channels) {
        ASSERT_FALSE(figures["psnr_db"].is_null());
        EXPECT_NEAR(figures["psnr_db"].get<double>(), quality.psnr, kTolerance);
        for (const char name : channels) {
            EXPECT_EQ(figures["max_error"][std::string(1, name)],
                      quality.maxError[std::string("RGBA").find(name)])
                << name;
        }
        EXPECT_EQ(figures["max_error"].size(), channels.size());
    }

    TempDir m_dir;
};

TEST_F(Compare, ETC1FiguresMatchAndroidsDecoderLevelByLevel) {
    const Picture source = PatternPicture(16, 16);
    WritePicture(m_dir.File("in.tga"), source);
    const std::string texture = m_dir.File("etc1.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ETC1 RGB8", {"yes"});
    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    EXPECT_EQ(report["channels"], "RGB");
    EXPECT_EQ(report["texture"]["type"], "ETC1 RGB8");
    ASSERT_EQ(report["levels"].size(), 5u);

    const std::vector<Bytes> data = KtxLevelData(texture);
    const std::vector<Picture> references = ReferenceChain(source, 5);
    double squaredSum = 0;
    double values = 0;
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const Picture& reference = references[i];
        const Quality quality =
            Measure(ETC1Decode(data[i], reference.width, reference.height), reference, "RGB");
        EXPECT_EQ(report["levels"][i]["width"], reference.width);
        ExpectLevel(report["levels"][i], quality, "RGB");
        squaredSum += quality.squaredSum;
        values += quality.values;
    }
    EXPECT_NEAR(report["chain"]["psnr_db"].get<double>(), PsnrOf(squaredSum, values), kTolerance);
    // A real loss, so the figure is not trivially infinite.
    EXPECT_LT(report["levels"][0]["psnr_db"].get<double>(), 60.0);
}

TEST_F(Compare, ThreeDCXYFiguresMatchTheirOwnArithmeticOnPixelsLibsquishConfirms) {
    const Picture source = PatternPicture(16, 8);
    WritePicture(m_dir.File("in.tga"), source);
    const std::string texture = m_dir.File("xy.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "3DC XY", {"yes"});
    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    EXPECT_EQ(report["channels"], "RG");
    const std::vector<Picture> references = ReferenceChain(source, 5);
    const std::vector<Bytes> data = KtxLevelData(texture);
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        const std::string level = m_dir.File("level.png");
        ASSERT_EQ(
            RunVostrelInspect({"decode", texture, level, "--level", std::to_string(i)}).exitStatus,
            0);
        const Picture decoded = ReadPicture(level);
        ExpectLevel(report["levels"][i], Measure(decoded, references[i], "RG"), "RG");
        // libsquish, decoding the same blocks on its own, agrees within the 1
        // by which it rounds its interpolation differently.
        const Picture squish = SquishDecodeXY(data[i], decoded.width, decoded.height);
        for (size_t k = 0; k < decoded.rgba.size(); k += 4) {
            EXPECT_NEAR(decoded.rgba[k], squish.rgba[k], 1) << k / 4;
            EXPECT_NEAR(decoded.rgba[k + 1], squish.rgba[k + 1], 1) << k / 4;
        }
    }
}

TEST_F(Compare, AlphaCountsForTheATCTypesWithAlpha) {
    const Picture source = PatternPicture(16, 8);
    WritePicture(m_dir.File("in.tga"), source);
    const std::string texture = m_dir.File("atc.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ATC RGBA Interpolated");
    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    EXPECT_EQ(report["channels"], "RGBA");
    ASSERT_EQ(RunVostrelInspect({"decode", texture, m_dir.File("level.png")}).exitStatus, 0);
    ExpectLevel(report["levels"][0], Measure(ReadPicture(m_dir.File("level.png")), source, "RGBA"),
                "RGBA");
}

TEST_F(Compare, ALargerSourceIsReducedAsVostrelCmdReducesIt) {
    const Picture source = PatternPicture(32, 32);
    WritePicture(m_dir.File("big.tga"), source);
    const std::string texture = m_dir.File("half.ktx");
    MakeTexture(m_dir.File("big.tga"), texture, "ETC1 RGB8", {"yes", "16", "16"});
    const Json report = CompareJson(m_dir.File("big.tga"), texture);
    // The level count follows the source's size: 16, 8, 4, 2, 1 and 1 again.
    ASSERT_EQ(report["levels"].size(), 6u);
    std::vector<Picture> references = ReferenceChain(HalfSize(source), 6);
    const std::vector<Bytes> data = KtxLevelData(texture);
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        ExpectLevel(report["levels"][i],
                    Measure(ETC1Decode(data[i], references[i].width, references[i].height),
                            references[i], "RGB"),
                    "RGB");
    }
}

TEST_F(Compare, MinimumPsnrFailsTheRunWithItsOwnStatus) {
    WritePicture(m_dir.File("in.tga"), PatternPicture(16, 16));
    const std::string texture = m_dir.File("etc1.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ETC1 RGB8", {"yes"});
    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    double lowest = INFINITY;
    size_t lowestLevel = 0;
    for (size_t i = 0; i < report["levels"].size(); ++i) {
        const Json& psnr = report["levels"][i]["psnr_db"];
        if (!psnr.is_null() && psnr.get<double>() < lowest) {
            lowest = psnr.get<double>();
            lowestLevel = i;
        }
    }
    ASSERT_TRUE(std::isfinite(lowest));

    const std::string below = std::to_string(lowest - 0.05);
    ProcessResult run =
        RunVostrelInspect({"compare", m_dir.File("in.tga"), texture, "--min-psnr", below});
    EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
    EXPECT_EQ(run.errorOutput, "");

    const std::string above = std::to_string(lowest + 0.05);
    run = RunVostrelInspect(
        {"compare", m_dir.File("in.tga"), texture, "--json", "--min-psnr", above});
    EXPECT_EQ(run.exitStatus, 3);
    const Json failing = Json::parse(run.output);
    EXPECT_NEAR(failing["min_psnr_db"].get<double>(), lowest + 0.05, 1e-6);
    const std::vector<size_t> levels = failing["levels_below_min_psnr"];
    EXPECT_NE(std::find(levels.begin(), levels.end(), lowestLevel), levels.end());
    for (const size_t level : levels) {
        EXPECT_LT(failing["levels"][level]["psnr_db"].get<double>(), lowest + 0.05);
    }
    EXPECT_EQ(std::count(run.errorOutput.begin(), run.errorOutput.end(), '\n'), 1);
    EXPECT_EQ(run.errorOutput.rfind("VostrelInspect: " + texture + ": ", 0), 0u) << run.errorOutput;
}

TEST_F(Compare, IdenticalLevelsHaveNoFiniteFigure) {
    const Picture source = PatternPicture(8, 4);
    WritePicture(m_dir.File("in.tga"), source);
    TextureImage* level = CreateTextureImage();
    level->nFormat = 1;
    level->nWidth = 8;
    level->nHeight = 4;
    level->nDataSize = uint32_t(source.rgba.size());
    level->pData = static_cast<uint8_t*>(std::malloc(source.rgba.size()));
    std::memcpy(level->pData, source.rgba.data(), source.rgba.size());
    const std::string texture = m_dir.File("copy.ktx");
    ASSERT_TRUE(SaveImageKTX(texture.c_str(), &level, 1, nullptr));
    FreeTextureImage(level);

    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    EXPECT_EQ(report["channels"], "RGBA");
    EXPECT_TRUE(report["levels"][0]["psnr_db"].is_null());
    EXPECT_EQ(report["levels"][0]["mse"], 0.0);
    const ProcessResult run =
        RunVostrelInspect({"compare", m_dir.File("in.tga"), texture, "--min-psnr", "99"});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.output.find("    0          8 x 4       inf      0      0      0      0\n"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("  all        1 level       inf"), std::string::npos) << run.output;
}

TEST_F(Compare, TableHasALinePerLevelAndTheChain) {
    WritePicture(m_dir.File("in.tga"), PatternPicture(16, 8));
    const std::string texture = m_dir.File("x.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "3DC X", {"yes"});
    const ProcessResult run = RunVostrelInspect({"compare", m_dir.File("in.tga"), texture});
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    const Json report = CompareJson(m_dir.File("in.tga"), texture);
    std::istringstream lines(run.output);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 4u + 1u + 5u + 1u);
    EXPECT_EQ(all[2], "Channels: R");
    EXPECT_EQ(all[4], "level           size   PSNR dB  max R");
    for (size_t i = 0; i < 5; ++i) {
        const Json& level = report["levels"][i];
        char psnr[16] = "inf";
        if (!level["psnr_db"].is_null()) {
            std::snprintf(psnr, sizeof psnr, "%.2f", level["psnr_db"].get<double>());
        }
        char expected[64];
        std::snprintf(expected, sizeof expected, "%5zu  %13s  %8s  %5d", i,
                      (std::to_string(level["width"].get<int>()) + " x " +
                       std::to_string(level["height"].get<int>()))
                          .c_str(),
                      psnr, level["max_error"]["R"].get<int>());
        EXPECT_EQ(all[5 + i], expected);
    }
    EXPECT_EQ(all[10].substr(0, 22), "  all       5 levels  ");
}

TEST_F(Compare, DifferencePictureAmplifiesTheStoredChannels) {
    // Noise, which a single-channel block cannot hold exactly.
    Picture source = PatternPicture(16, 8);
    uint32_t state = 12345;
    for (size_t i = 0; i < source.rgba.size(); ++i) {
        state = state * 1103515245 + 12345;
        source.rgba[i] = uint8_t(state >> 16);
    }
    WritePicture(m_dir.File("in.tga"), source);
    const std::string texture = m_dir.File("x.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "3DC X");
    ASSERT_EQ(RunVostrelInspect({"decode", texture, m_dir.File("level.png")}).exitStatus, 0);
    const Picture decoded = ReadPicture(m_dir.File("level.png"));
    const ProcessResult run = RunVostrelInspect(
        {"compare", m_dir.File("in.tga"), texture, "--diff", m_dir.File("diff.png")});
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    const Picture difference = ReadPicture(m_dir.File("diff.png"));
    ASSERT_EQ(difference.width, 16u);
    ASSERT_EQ(difference.height, 8u);
    bool someError = false;
    for (size_t i = 0; i < difference.rgba.size(); i += 4) {
        const int red = std::abs(int(decoded.rgba[i]) - int(source.rgba[i]));
        someError = someError || red > 0;
        EXPECT_EQ(difference.rgba[i], std::min(8 * red, 255)) << i / 4;
        EXPECT_EQ(difference.rgba[i + 1], 0);
        EXPECT_EQ(difference.rgba[i + 2], 0);
        EXPECT_EQ(difference.rgba[i + 3], 255);
    }
    EXPECT_TRUE(someError);
}

TEST_F(Compare, UnusableInputsFailOnOneLine) {
    WritePicture(m_dir.File("in.tga"), PatternPicture(16, 16));
    WritePicture(m_dir.File("small.tga"), PatternPicture(8, 16));
    const std::string texture = m_dir.File("etc1.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ETC1 RGB8");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{m_dir.File("small.tga"), texture},
         m_dir.File("small.tga") + ": the source is 8 x 16, smaller than level 0 of " + texture +
             " (16 x 16): a source is reduced, never enlarged, to each level"},
        {{m_dir.File("missing.png"), texture},
         m_dir.File("missing.png") + ": No such file or directory"},
        {{m_dir.File("in.tga"), m_dir.File("in.tga")},
         m_dir.File("in.tga") + ": neither a KTX nor a DDS file"},
        {{m_dir.File("in.tga"), texture, "--diff", m_dir.File("no/dir/diff.png")},
         m_dir.File("no/dir/diff.png") + ": SaveImagePNG: File could not be opened for writing."},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = {"compare"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const ProcessResult run = RunVostrelInspect(arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errorOutput, "VostrelInspect: " + c.message + "\n");
    }
}

}  // namespace
