// VOSTREL_THREADS through the real executable: every type with mips on an
// odd-sized picture gives the same file and the same text for 1, 2, 3 and 7
// threads, and a value that is not a positive integer gets one warning line.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"

namespace {

const char* const kTypes[] = {
    "ATC RGB", "ATC RGBA Explicit", "ATC RGBA Interpolated", "ETC1 RGB8", "3DC X", "3DC XY"};

constexpr const char* kWarning =
    "Warning: VOSTREL_THREADS is not a positive integer; using all cores.\n";

class ThreadCountRun : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        m_input = m_dir.File("in.tga");
        ASSERT_TRUE(WriteTga(m_input, 203, 150, PatternPixels(203, 150)));
    }
    void TearDown() override { unsetenv("VOSTREL_THREADS"); }

    // Runs the type with mips and VOSTREL_THREADS set to setting; the KTX
    // file's bytes, or empty when the run failed.
    std::string Run(const char* setting, ProcessResult* result) {
        setenv("VOSTREL_THREADS", setting, 1);
        const std::string output = m_dir.File(std::string("out") + setting + ".ktx");
        *result = RunVostrelCmd({m_input, output, GetParam(), "yes"});
        EXPECT_EQ(result->exitStatus, 0) << setting << ": " << result->errorOutput;
        return ReadFileBytes(output);
    }

    TempDir m_dir;
    std::string m_input;
};

TEST_P(ThreadCountRun, SameFileAndTextForEveryThreadCount) {
    ProcessResult alone;
    const std::string expected = Run("1", &alone);
    ASSERT_GT(expected.size(), 64u);
    EXPECT_EQ(ReadKtxShape(m_dir.File("out1.ktx")).levels, 8u);
    for (const char* threads : {"2", "3", "7"}) {
        ProcessResult shared;
        EXPECT_TRUE(Run(threads, &shared) == expected) << threads << " threads";
        EXPECT_EQ(shared.errorOutput, alone.errorOutput) << threads << " threads";
        EXPECT_EQ(shared.output, alone.output) << threads << " threads";
    }
}

TEST_P(ThreadCountRun, ABadValueWarnsOnceAndUsesEveryCore) {
    ProcessResult alone;
    const std::string expected = Run("1", &alone);
    for (const char* setting : {"", "0", "-2", "2 threads", "99999999999"}) {
        ProcessResult warned;
        EXPECT_TRUE(Run(setting, &warned) == expected) << "\"" << setting << "\"";
        std::string text = warned.errorOutput;
        const size_t at = text.find(kWarning);
        ASSERT_NE(at, std::string::npos) << "\"" << setting << "\": " << text;
        text.erase(at, std::string(kWarning).size());
        EXPECT_EQ(text, alone.errorOutput) << "\"" << setting << "\": one warning and nothing else";
        EXPECT_EQ(warned.output, alone.output);
    }
}

INSTANTIATE_TEST_SUITE_P(Types, ThreadCountRun, ::testing::ValuesIn(kTypes),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name;
                             for (const char* c = info.param; *c != '\0'; ++c) {
                                 if (std::isalnum(static_cast<unsigned char>(*c))) {
                                     name += *c;
                                 }
                             }
                             return name;
                         });

}  // namespace
