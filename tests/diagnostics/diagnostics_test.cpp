// The libraries' message path: what reaches standard error, and what the
// hook sees before it does.
#include "diagnostics.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fixture_images.h"
#include "temp_dir.h"

namespace {

// Standard error goes to a file while the test runs.
class Diagnostics : public ::testing::Test {
  protected:
    void SetUp() override {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        const int file = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(file, 0);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    void TearDown() override {
        diagnostics::SetHook(nullptr, nullptr);
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
    }
    std::string Written() {
        std::fflush(stderr);
        return ReadFileBytes(m_path);
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("stderr.txt");
    int m_saved = -1;
};

// Each call of the hook: the text it was given and what standard error
// had received by then.
struct HookRecord {
    std::string path;
    std::vector<std::pair<std::string, std::string>> calls;
};

void Record(void* context, const char* text) {
    auto* record = static_cast<HookRecord*>(context);
    std::fflush(stderr);
    record->calls.emplace_back(text, ReadFileBytes(record->path));
}

TEST_F(Diagnostics, WithoutAHookTextIsWrittenAsItIs) {
    diagnostics::Write("Warning: one.\n");
    diagnostics::Print("Morlune error: %s \n", "Image too large");
    diagnostics::Print("Warning: using %llu.\n", 1ull << 40);
    diagnostics::Write("");
    EXPECT_EQ(Written(),
              "Warning: one.\nMorlune error: Image too large \nWarning: using 1099511627776.\n");
}

TEST_F(Diagnostics, TheHookSeesEachTextBeforeItIsWritten) {
    HookRecord record{m_path, {}};
    diagnostics::SetHook(Record, &record);
    diagnostics::Write("first\n");
    diagnostics::Print("second %d\n", 2);
    diagnostics::SetHook(nullptr, &record);
    diagnostics::Write("third\n");
    const std::vector<std::pair<std::string, std::string>> expected = {{"first\n", ""},
                                                                       {"second 2\n", "first\n"}};
    EXPECT_EQ(record.calls, expected);
    EXPECT_EQ(Written(), "first\nsecond 2\nthird\n");
}

TEST_F(Diagnostics, ALongFormattedTextIsWrittenWholeAndShownToTheHookCut) {
    HookRecord record{m_path, {}};
    diagnostics::SetHook(Record, &record);
    const std::string longText(3000, 'x');
    diagnostics::Print("Morlune error: %s \n", longText.c_str());
    const std::string whole = "Morlune error: " + longText + " \n";
    EXPECT_EQ(Written(), whole);
    ASSERT_EQ(record.calls.size(), 1u);
    EXPECT_EQ(record.calls[0].first, whole.substr(0, diagnostics::kHookTextBytes - 1));
    EXPECT_EQ(record.calls[0].second, "");

    // Exactly the longest text that the hook sees whole.
    record.calls.clear();
    const std::string fits(diagnostics::kHookTextBytes - 1 - 2, 'y');
    diagnostics::Print("%s!\n", fits.c_str());
    ASSERT_EQ(record.calls.size(), 1u);
    EXPECT_EQ(record.calls[0].first, fits + "!\n");
}

}  // namespace
