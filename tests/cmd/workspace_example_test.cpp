// The workspace example that the README shows and make demo runs: the README
// holds it word for word, and it runs as the README says it does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"

namespace {

const std::string kExample = std::string(VOSTREL_SOURCE_DIR) + "/examples/workspace.xml";

TEST(WorkspaceExample, TheReadmeShowsItWordForWord) {
    const std::string example = ReadFileBytes(kExample);
    ASSERT_FALSE(example.empty());
    const std::string readme = ReadFileBytes(std::string(VOSTREL_SOURCE_DIR) + "/README.md");
    EXPECT_NE(readme.find("```xml\n" + example + "```\n"), std::string::npos);
}

TEST(WorkspaceExample, WritesItsThreeTexturesBesideTheSource) {
    TempDir dir;
    ASSERT_TRUE(WriteTga(dir.File("sample.tga"), 64, 32, PatternPixels(64, 32)));
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    const ProcessResult run = RunVostrelCmd({"-ws", kExample});
    std::filesystem::current_path(saved);
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    EXPECT_NE(run.errorOutput.find(
                  "Compressing sample.tga as type ETC1 RGB8... Saved to batch_colour.ktx\n\n"
                  "Compressing sample.tga as type ATC RGBA Explicit... Saved to batch_ui.ktx\n\n"
                  "Compressing sample.tga as type 3DC X... Saved to batch_height.ktx\n\n"),
              std::string::npos)
        << run.errorOutput;
    struct Expected {
        const char* name;
        uint32_t width, height, levels;
    };
    // The level count follows the source's size, 64 x 32: 7 levels.
    for (const Expected& e :
         {Expected{"batch_colour.ktx", 64, 32, 7}, Expected{"batch_ui.ktx", 256, 128, 1},
          Expected{"batch_height.ktx", 128, 32, 7}}) {
        const KtxShape shape = ReadKtxShape(dir.File(e.name));
        EXPECT_EQ(shape.width, e.width) << e.name;
        EXPECT_EQ(shape.height, e.height) << e.name;
        EXPECT_EQ(shape.levels, e.levels) << e.name;
    }
}

}  // namespace
