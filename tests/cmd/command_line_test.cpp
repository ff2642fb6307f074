// The front end through the real executable: banner, usage, exit statuses
// and the argument rules that hold before any picture is read.
#include <gtest/gtest.h>

#include "process.h"
#include "temp_dir.h"
#include "usage_text.h"

namespace {

TEST(CommandLine, NoArgumentsPrintsBannerAndUsageAndExitsOne) {
    ProcessResult run = RunVostrelCmd({});
    EXPECT_EQ(run.exitStatus, 1);
    ASSERT_EQ(run.errorOutput.rfind(kBannerStart, 0), 0u) << run.errorOutput;
    const size_t bannerEnd = run.errorOutput.find('\n');
    EXPECT_EQ(run.errorOutput.substr(bannerEnd, 2), "\n\n");
    EXPECT_EQ(AfterBanner(run.errorOutput), kUsageText);
    EXPECT_EQ(run.output, "");
}

TEST(CommandLine, TooFewArgumentsPrintUsage) {
    const std::vector<std::vector<std::string>> cases = {
        {"only-one"}, {"in.png", "out.ktx"}, {"-wsx", "file.xml"}};
    for (const auto& arguments : cases) {
        ProcessResult run = RunVostrelCmd(arguments);
        EXPECT_EQ(run.exitStatus, 1) << arguments[0];
        EXPECT_EQ(AfterBanner(run.errorOutput), kUsageText) << arguments[0];
    }
}

TEST(CommandLine, UnknownTypeIsReportedBeforeTheInputIsTouched) {
    for (const char* type : {"ATC RGB ", "ATCRGB", "DXT1", ""}) {
        ProcessResult run = RunVostrelCmd({"does-not-exist.png", "out.ktx", type});
        EXPECT_EQ(run.exitStatus, 1) << type;
        EXPECT_EQ(AfterBanner(run.errorOutput), "INVALID COMPRESSION TYPE.\n\n" + kUsageText)
            << type;
    }
}

TEST(CommandLine, TypeNamesIgnoreCase) {
    // An accepted type gets as far as loading the (missing) input.
    for (const char* type : {"atc rgb", "ATC RGBA INTERPOLATED", "ATC RGB Interpolated",
                             "etc1 rgb8", "3dc x", "3DC XY", "atc rgba explicit"}) {
        ProcessResult run = RunVostrelCmd({"does-not-exist.png", "out.ktx", type});
        EXPECT_EQ(run.exitStatus, 1) << type;
        EXPECT_EQ(AfterBanner(run.errorOutput),
                  "ERROR: Input image could not be loaded.\n\n" + kUsageText)
            << type;
    }
}

TEST(CommandLine, WorkspaceSwitchNeedsExactlyOneFurtherArgument) {
    TempDir dir;
    // -WS with one argument is the workspace mode; a missing file is invalid.
    ProcessResult ws = RunVostrelCmd({"-WS", dir.File("missing.xml")});
    EXPECT_EQ(ws.exitStatus, 1);
    EXPECT_EQ(AfterBanner(ws.errorOutput),
              "ERROR: Workspace file is invalid. Please check format.\n\n" + kUsageText);

    // With a third argument "-ws" is the direct mode's input path.
    ProcessResult direct = RunVostrelCmd({"-ws", dir.File("missing.xml"), "nonsense"});
    EXPECT_EQ(direct.exitStatus, 1);
    EXPECT_EQ(AfterBanner(direct.errorOutput), "INVALID COMPRESSION TYPE.\n\n" + kUsageText);
}

}  // namespace
