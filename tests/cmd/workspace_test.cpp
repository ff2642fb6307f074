// The workspace mode through the real executable, with workspace files made
// by each test.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"
#include "usage_text.h"

namespace {

const std::string kGoodHeader =
    "<Header tool=\"Vostrel\" version=\"0.01.00\" guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\">";

class Workspace : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(WriteTga(m_dir.File("in.tga"), 16, 8, PatternPixels(16, 8)));
    }

    std::string Write(const std::string& xml) {
        const std::string path = m_dir.File("work.xml");
        std::ofstream(path) << xml;
        return path;
    }

    ProcessResult Run(const std::string& xml) { return RunVostrelCmd({"-ws", Write(xml)}); }

    std::string Entry(const std::string& name, const std::string& attributes = "") {
        return "<Entry source=\"" + m_dir.File("in.tga") + "\" destination=\"" + m_dir.File(name) +
               "\" compression=\"ETC1 RGB8\" " + attributes + "/>";
    }

    KtxShape Shape(const std::string& name) { return ReadKtxShape(m_dir.File(name)); }

    TempDir m_dir;
};

TEST_F(Workspace, EachFailureEndsTheRunWithItsMessage) {
    struct Case {
        std::string xml;
        std::string message;
        bool usage;
    };
    const std::string missing = m_dir.File("missing.tga");
    const Case cases[] = {
        {"<Header", "ERROR: Workspace file is invalid. Please check format.", true},
        {"", "ERROR: Workspace file is invalid. Please check format.", true},
        {"<!-- no element -->", "ERROR: Workspace header is invalid. Please check format.", true},
        {"<Entry/>", "ERROR: Workspace header is invalid. Please check format.", true},
        {"<Header tool=\"Vostrel\" version=\"0.01.00\"/>",
         "ERROR: Workspace header is invalid. Please check format.", true},
        {"<Header tool=\"Other\" version=\"0.01.00\" "
         "guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\"/>",
         "ERROR: Workspace header is invalid. Please check format.", true},
        {"<Header tool=\"Vostrel\" version=\"0.1.0\" "
         "guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\"/>",
         "ERROR: Workspace header is invalid. Please check format.", true},
        {"<Header tool=\"Vostrel\" version=\"0.01.01\" "
         "guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\"/>",
         "ERROR: Workspace header is invalid. Please check format.", true},
        {kGoodHeader + "<Entries/></Header>",
         "ERROR: Entry in file is invalid. Please check format.", true},
        {kGoodHeader + "<Entry source=\"a.png\" compression=\"ETC1 RGB8\"/></Header>",
         "ERROR: Invalid number of required arguments for entry.", true},
        {kGoodHeader + "<Entry source=\"" + missing +
             "\" destination=\"out.ktx\" compression=\"ETC1 RGB8\"/></Header>",
         "ERROR: Input image could not be loaded.", true},
        // Unlike the direct mode, the image is loaded before the type is checked.
        {kGoodHeader + "<Entry source=\"" + missing +
             "\" destination=\"out.ktx\" compression=\"DXT1\"/></Header>",
         "ERROR: Input image could not be loaded.", true},
        {kGoodHeader + "<Entry source=\"" + m_dir.File("in.tga") +
             "\" destination=\"out.ktx\" compression=\"DXT1\"/></Header>",
         "INVALID COMPRESSION TYPE.", true},
        {kGoodHeader + "<Entry source=\"" + m_dir.File("in.tga") + "\" destination=\"" +
             m_dir.File("no/such/dir/out.ktx") + "\" compression=\"ETC1 RGB8\"/></Header>",
         "SaveImageKTX: File could not be opened for writing.", false},
    };
    for (const Case& c : cases) {
        ProcessResult run = Run(c.xml);
        EXPECT_EQ(run.exitStatus, 1) << c.xml;
        const std::string expected = c.usage ? c.message + "\n\n" + kUsageText
                                             : "ERROR: " + c.message + "\n\n<press a key>\n";
        EXPECT_NE(AfterBanner(run.errorOutput).find(expected), std::string::npos)
            << c.xml << "\n"
            << run.errorOutput;
    }
}

TEST_F(Workspace, HeaderValuesIgnoreCaseAndEmptyHeaderSucceeds) {
    ProcessResult run = Run(
        "<?xml version=\"1.0\"?><!-- made by hand --><HEADER TOOL=\"VOSTREL\" Version=\"0.01.00\" "
        "guid=\"72659FF8-AA3F-4B50-95AD-176BE895B937\" other=\"x\"/><Ignored/>");
    EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
    EXPECT_EQ(AfterBanner(run.errorOutput), "");
}

TEST_F(Workspace, EntriesRunInOrderAndTheFirstFailureStopsTheRest) {
    const std::string xml = kGoodHeader + Entry("first.ktx") + "<!-- between -->" +
                            "<Entry source=\"" + m_dir.File("missing.tga") +
                            "\" destination=\"x.ktx\" compression=\"ETC1 RGB8\"/>" +
                            Entry("third.ktx") + "</Header>";
    ProcessResult run = Run(xml);
    EXPECT_EQ(run.exitStatus, 1);
    const std::string expected = "Compressing " + m_dir.File("in.tga") +
                                 " as type ETC1 RGB8... Saved to " + m_dir.File("first.ktx") +
                                 "\n\nERROR: Input image could not be loaded.\n\n" + kUsageText;
    EXPECT_EQ(AfterBanner(run.errorOutput), expected);
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("first.ktx")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("third.ktx")));
}

TEST_F(Workspace, SizeAndMipmapAttributes) {
    const std::string xml =
        kGoodHeader + Entry("wide.ktx", "width=\"64\"") + Entry("chain.ktx", "MIPMAP=\"Yes\"") +
        Entry("single.ktx", "mipmap=\"true\"") +
        Entry("both.ktx", "width=\"abc\" height=\"4px\" mipmap=\"YES\"") + "</Header>";
    ProcessResult run = Run(xml);
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    struct Expected {
        const char* name;
        uint32_t width, height, levels;
    };
    const Expected expected[] = {{"wide.ktx", 64, 8, 1},
                                 {"chain.ktx", 16, 8, 5},
                                 {"single.ktx", 16, 8, 1},
                                 {"both.ktx", 16, 4, 5}};
    for (const Expected& e : expected) {
        KtxShape shape = Shape(e.name);
        EXPECT_EQ(shape.width, e.width) << e.name;
        EXPECT_EQ(shape.height, e.height) << e.name;
        EXPECT_EQ(shape.levels, e.levels) << e.name;
    }
}

TEST_F(Workspace, OversizedRequestIsRefused) {
    ProcessResult run = Run(kGoodHeader + Entry("big.ktx", "width=\"-1\"") + "</Header>");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.errorOutput.find("ERROR: Output width and height must be between 1 and 16384."),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("big.ktx")));
}

TEST_F(Workspace, RelativePathsAreTakenFromTheCurrentDirectory) {
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::create_directory(m_dir.Path() / "sub");
    std::filesystem::current_path(m_dir.Path());
    const std::string xml = kGoodHeader +
                            "<Entry source=\"in.tga\" destination=\"rel.ktx\" "
                            "compression=\"3DC X\"/></Header>";
    const std::string path = (m_dir.Path() / "sub" / "work.xml").string();
    std::ofstream(path) << xml;
    ProcessResult run = RunVostrelCmd({"-ws", path});
    std::filesystem::current_path(saved);
    EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
    EXPECT_TRUE(std::filesystem::exists(m_dir.File("rel.ktx")));
    EXPECT_FALSE(std::filesystem::exists(m_dir.Path() / "sub" / "rel.ktx"));
}

}  // namespace
