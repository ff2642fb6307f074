// VostrelInspect's command line through the real executable: wrong usage
// exits with 2 and the usage text, help prints it on standard output.
#include <gtest/gtest.h>

#include "inspect_fixtures.h"

namespace {

TEST(CommandLine, WrongUsageNamesTheProblemAndPrintsTheUsage) {
    const struct {
        std::vector<std::string> arguments;
        std::string problem;
    } cases[] = {
        {{}, "a subcommand is needed: info, decode or compare"},
        {{"show", "a.ktx"}, "unknown subcommand \"show\""},
        {{"info"}, "info takes FILE"},
        {{"info", "a.ktx", "b.ktx"}, "info takes FILE"},
        {{"info", "a.ktx", "--sheet"}, "info has no option --sheet"},
        {{"decode", "a.ktx"}, "decode takes FILE OUT.png"},
        {{"decode", "a.ktx", "a.png", "--zoom", "0"}, "--zoom needs a whole number from 1 to 16"},
        {{"decode", "a.ktx", "a.png", "--zoom", "17"}, "--zoom needs a whole number from 1 to 16"},
        {{"decode", "a.ktx", "a.png", "--zoom"}, "--zoom needs a value"},
        {{"decode", "a.ktx", "a.png", "--level", "-1"},
         "--level needs a level number: 0, 1, 2 ..."},
        {{"decode", "a.ktx", "a.png", "--level", "4294967296"},
         "--level needs a level number: 0, 1, 2 ..."},
        {{"decode", "a.ktx", "a.png", "--level", "1", "--level", "2"}, "--level is given twice"},
        {{"decode", "a.ktx", "a.png", "--sheet", "--level", "1"},
         "--sheet shows every level: it takes no --level"},
        {{"compare", "a.png", "a.ktx", "--min-psnr", "high"},
         "--min-psnr needs a number of decibels, such as 32.5"},
        {{"compare", "a.png", "a.ktx", "--min-psnr", "nan"},
         "--min-psnr needs a number of decibels, such as 32.5"},
        {{"compare", "a.png", "a.ktx", "--zoom", "2"}, "compare has no option --zoom"},
    };
    const ProcessResult help = RunVostrelInspect({"--help"});
    ASSERT_EQ(help.exitStatus, 0);
    EXPECT_EQ(help.errorOutput, "");
    const std::string usage = help.output;
    EXPECT_EQ(usage.rfind("Usage:\n  VostrelInspect info FILE [--json]\n", 0), 0u) << usage;
    for (const auto& c : cases) {
        const ProcessResult run = RunVostrelInspect(c.arguments);
        EXPECT_EQ(run.exitStatus, 2) << c.problem;
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errorOutput, "VostrelInspect: " + c.problem + "\n\n" + usage);
    }
}

TEST(CommandLine, OptionsMayComeBeforeTheOperands) {
    const ProcessResult run = RunVostrelInspect({"info", "--json", "missing.ktx"});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.errorOutput, "VostrelInspect: missing.ktx: No such file or directory\n");
}

}  // namespace
