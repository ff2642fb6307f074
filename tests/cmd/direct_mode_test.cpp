// The direct mode's argument rules through the real executable, on small
// pictures made by each test.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"
#include "usage_text.h"

namespace {

class DirectMode : public ::testing::Test {
  protected:
    std::string Input(uint32_t width, uint32_t height) {
        const std::string path =
            m_dir.File("in" + std::to_string(width) + "x" + std::to_string(height) + ".tga");
        EXPECT_TRUE(WriteTga(path, width, height, PatternPixels(width, height)));
        return path;
    }
    TempDir m_dir;
};

TEST_F(DirectMode, MipFlagAndSizeArguments) {
    const std::string input = Input(32, 16);
    struct Case {
        std::vector<std::string> extra;
        KtxShape expected;
    };
    const Case cases[] = {
        {{}, {32, 16, 1}},
        {{"YES"}, {32, 16, 6}},
        {{"yes"}, {32, 16, 6}},
        {{"y"}, {32, 16, 1}},
        {{"1"}, {32, 16, 1}},
        {{"true"}, {32, 16, 1}},
        {{"no", "abc"}, {32, 16, 1}},
        {{"no", "0", "0"}, {32, 16, 1}},
        {{"no", "128px"}, {128, 16, 1}},
        {{"no", "8", "4"}, {8, 4, 1}},
        {{"no", "8", "4", "ignored", "too"}, {8, 4, 1}},
        // The level count follows the source's size, the level sizes the
        // requested one.
        {{"yes", "8", "8"}, {8, 8, 6}},
        {{"yes", "128", "64"}, {128, 64, 6}},
    };
    for (const Case& c : cases) {
        const std::string output = m_dir.File("out.ktx");
        std::filesystem::remove(output);
        std::vector<std::string> arguments = {input, output, "ETC1 RGB8"};
        arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
        ProcessResult run = RunVostrelCmd(arguments);
        const std::string label = ::testing::PrintToString(c.extra);
        ASSERT_EQ(run.exitStatus, 0) << label << run.errorOutput;
        EXPECT_EQ(AfterBanner(run.errorOutput), "") << label;
        KtxShape shape = ReadKtxShape(output);
        EXPECT_EQ(shape.width, c.expected.width) << label;
        EXPECT_EQ(shape.height, c.expected.height) << label;
        EXPECT_EQ(shape.levels, c.expected.levels) << label;
    }
}

TEST_F(DirectMode, FullChainOfANonSquarePicture) {
    const std::string output = m_dir.File("chain.ktx");
    ProcessResult run = RunVostrelCmd({Input(256, 128), output, "3DC X", "yes"});
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    KtxShape shape = ReadKtxShape(output);
    EXPECT_EQ(shape.levels, 9u);
    // Nine levels of 8-byte blocks: 64x32, 32x16, 16x8, 8x4, 4x2, 2x1, then
    // four single blocks (the last level sizes repeat at 1 block).
    const uint64_t blocks = 64 * 32 + 32 * 16 + 16 * 8 + 8 * 4 + 4 * 2 + 2 * 1 + 1 + 1 + 1;
    EXPECT_EQ(std::filesystem::file_size(output), 64 + 9 * 4 + blocks * 8);
}

TEST_F(DirectMode, OversizedOrNegativeSizesAreRefused) {
    const std::string input = Input(8, 8);
    for (const std::vector<std::string>& sizes :
         {std::vector<std::string>{"16385"}, {"-1"}, {"0", "99999999999"}, {"-16", "8"}}) {
        const std::string output = m_dir.File("refused.ktx");
        std::vector<std::string> arguments = {input, output, "ATC RGB", "no"};
        arguments.insert(arguments.end(), sizes.begin(), sizes.end());
        ProcessResult run = RunVostrelCmd(arguments);
        EXPECT_EQ(run.exitStatus, 1) << sizes[0];
        EXPECT_EQ(AfterBanner(run.errorOutput),
                  "ERROR: Output width and height must be between 1 and 16384.\n\n<press a key>\n")
            << sizes[0];
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(DirectMode, FailedWriteReportsTheContainersMessage) {
    ProcessResult run =
        RunVostrelCmd({Input(8, 8), m_dir.File("missing/dir/out.ktx"), "ETC1 RGB8"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(AfterBanner(run.errorOutput),
              "ERROR: SaveImageKTX: File could not be opened for writing.\n\n<press a key>\n");
}

}  // namespace
