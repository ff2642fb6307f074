// The status line through the real executable, with standard error on a
// pseudo-terminal, against the same runs with standard error in a file.
// Only the first status of a run is certain (it is drawn when the first
// level starts); how many follow depends on the machine's speed, so the
// checks hold for any number of them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "fixture_images.h"
#include "process.h"
#include "temp_dir.h"
#include "terminal_screen.h"
#include "usage_text.h"

namespace {

const std::string kErase = "\r\033[K";
const std::string kWorkspaceHeader =
    "<Header tool=\"Vostrel\" version=\"0.01.00\" guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\">";
constexpr const char* kThreadWarning =
    "Warning: VOSTREL_THREADS is not a positive integer; using all cores.\n";

// A drawn status: "\r", the text, "\033[K".
struct Status {
    size_t start;  // where its "\r" is in the output
    size_t end;    // just after its "\033[K"
    std::string text;
};

bool IsControl(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

std::vector<Status> FindStatuses(const std::string& output) {
    std::vector<Status> found;
    for (size_t at = output.find('\r'); at != std::string::npos; at = output.find('\r', at + 1)) {
        size_t textEnd = at + 1;
        while (textEnd < output.size() && !IsControl(output[textEnd])) {
            ++textEnd;
        }
        if (textEnd > at + 1 && output.compare(textEnd, 3, "\033[K") == 0) {
            found.push_back({at, textEnd + 3, output.substr(at + 1, textEnd - at - 1)});
        }
    }
    return found;
}

struct LevelStatus {
    int entry = 0;
    std::string name;
    int level = 0, levels = 0, percent = 0;
};

// "Compressing level 3 of 10, 42%", nothing more or less.
bool ReadDirectStatus(const std::string& text, LevelStatus* status) {
    int used = 0;
    return std::sscanf(text.c_str(), "Compressing level %d of %d, %d%%%n", &status->level,
                       &status->levels, &status->percent, &used) == 3 &&
           static_cast<size_t>(used) == text.size();
}

// "Entry 1 of 3 (first.tga): compressing level 3 of 10, 42%".
bool ReadEntryStatus(const std::string& text, LevelStatus* status) {
    char name[32] = {};
    int used = 0;
    const bool read =
        std::sscanf(
            text.c_str(), "Entry %d of 3 (%31[a-z].tga): compressing level %d of %d, %d%%%n",
            &status->entry, name, &status->level, &status->levels, &status->percent, &used) == 5 &&
        static_cast<size_t>(used) == text.size();
    status->name = name;
    return read;
}

// Every status is followed by another or by the erasure: nothing else is
// ever written onto a status.
void ExpectEachStatusIsOverwrittenOrErased(const std::string& output,
                                           const std::vector<Status>& statuses) {
    for (const Status& status : statuses) {
        EXPECT_EQ(output.compare(status.end, 1, "\r"), 0)
            << "after a status: " << ::testing::PrintToString(output.substr(status.end, 40));
    }
    ASSERT_FALSE(statuses.empty());
    EXPECT_EQ(output.compare(statuses.back().end, kErase.size(), kErase), 0)
        << "the last status is erased";
}

// The terminal shows exactly what the redirected run wrote.
void ExpectSameScreen(const std::string& terminalOutput, const std::string& fileOutput,
                      size_t columns) {
    const Screen shown = ShowOnTerminal(terminalOutput, columns);
    EXPECT_TRUE(shown.understood);
    EXPECT_EQ(shown.rows, ShowOnTerminal(fileOutput, columns).rows);
}

class TerminalStatus : public ::testing::Test {
  protected:
    void SetUp() override {
        m_input = m_dir.File("picture.tga");
        ASSERT_TRUE(WriteTga(m_input, 512, 384, PatternPixels(512, 384)));
    }
    void TearDown() override { unsetenv("VOSTREL_THREADS"); }

    // The run on a terminal and, for comparison, with standard error in a
    // file; each writes its own output file.
    struct Runs {
        ProcessResult terminal;
        ProcessResult file;
    };
    Runs Both(std::vector<std::string> arguments, size_t outputArgument, unsigned short columns) {
        Runs runs;
        const std::string output = arguments[outputArgument];
        arguments[outputArgument] = output + ".terminal";
        runs.terminal = RunVostrelCmdOnTerminal(arguments, columns, "xterm");
        arguments[outputArgument] = output;
        runs.file = RunVostrelCmd(arguments);
        return runs;
    }

    std::string WriteWorkspace(const std::vector<std::string>& entries) {
        std::string xml = kWorkspaceHeader;
        for (const std::string& entry : entries) {
            xml += entry;
        }
        xml += "</Header>";
        const std::string path = m_dir.File("work.xml");
        std::ofstream(path) << xml;
        return path;
    }

    std::string Entry(const std::string& name, const std::string& destination) {
        const std::string source = m_dir.File(name + ".tga");
        EXPECT_TRUE(WriteTga(source, 512, 384, PatternPixels(512, 384)));
        return "<Entry source=\"" + source + "\" destination=\"" + destination +
               "\" compression=\"ETC1 RGB8\" mipmap=\"yes\"/>";
    }

    TempDir m_dir;
    std::string m_input;
};

TEST_F(TerminalStatus, ADirectRunShowsLevelsAndPercentagesThenErasesThem) {
    // The slowest type, for several statuses on most machines.
    const std::string output = m_dir.File("out.ktx");
    const Runs runs = Both({m_input, output, "3DC XY", "yes"}, 1, 80);
    ASSERT_EQ(runs.file.exitStatus, 0) << runs.file.errorOutput;
    ASSERT_EQ(runs.terminal.exitStatus, 0) << runs.terminal.errorOutput;
    EXPECT_EQ(AfterBanner(runs.file.errorOutput), "");
    EXPECT_TRUE(ReadFileBytes(output + ".terminal") == ReadFileBytes(output));

    const std::string& text = runs.terminal.errorOutput;
    const std::string first = "\rCompressing level 1 of 10, 0%\033[K";
    ASSERT_EQ(
        text.compare(0, runs.file.errorOutput.size() + first.size(), runs.file.errorOutput + first),
        0)
        << "the banner, then the first level's status at once: " << text;
    const std::vector<Status> statuses = FindStatuses(text);
    ExpectEachStatusIsOverwrittenOrErased(text, statuses);
    // The statuses, one after the other, and the erasure are all there is
    // after the banner.
    size_t next = runs.file.errorOutput.size();
    LevelStatus before;
    for (const Status& status : statuses) {
        EXPECT_EQ(status.start, next) << ::testing::PrintToString(text.substr(next));
        next = status.end;
        LevelStatus read;
        ASSERT_TRUE(ReadDirectStatus(status.text, &read)) << status.text;
        EXPECT_EQ(read.levels, 10);
        EXPECT_TRUE(read.level > before.level ||
                    (read.level == before.level && read.percent > before.percent))
            << status.text << " after level " << before.level << " at " << before.percent << "%";
        EXPECT_LE(read.percent, 100);
        before = read;
    }
    EXPECT_EQ(text.substr(next), kErase) << "the erasure ends the run";
    ExpectSameScreen(text, runs.file.errorOutput, 80);
}

TEST_F(TerminalStatus, AFailingRunErasesTheStatusBeforeItsError) {
    const std::string output = m_dir.File("missing/out.ktx");
    const Runs runs = Both({m_input, output, "ETC1 RGB8", "yes"}, 1, 80);
    ASSERT_EQ(runs.file.exitStatus, 1);
    ASSERT_EQ(runs.terminal.exitStatus, 1);
    const std::string error =
        "ERROR: SaveImageKTX: File could not be opened for writing.\n\n<press a key>\n";
    EXPECT_EQ(AfterBanner(runs.file.errorOutput), error);

    const std::string& text = runs.terminal.errorOutput;
    const std::vector<Status> statuses = FindStatuses(text);
    ExpectEachStatusIsOverwrittenOrErased(text, statuses);
    LevelStatus read;
    for (const Status& status : statuses) {
        EXPECT_TRUE(ReadDirectStatus(status.text, &read)) << status.text;
    }
    EXPECT_EQ(text.substr(statuses.back().end), kErase + error);
    ExpectSameScreen(text, runs.file.errorOutput, 80);
}

// The pool is made, and its warning written, once the first level has
// started, while its status is on the terminal.
TEST_F(TerminalStatus, ALibraryWarningErasesTheStatusFirst) {
    setenv("VOSTREL_THREADS", "two", 1);
    const std::string output = m_dir.File("out.ktx");
    const Runs runs = Both({m_input, output, "ATC RGB", "yes"}, 1, 80);
    ASSERT_EQ(runs.file.exitStatus, 0) << runs.file.errorOutput;
    ASSERT_EQ(runs.terminal.exitStatus, 0) << runs.terminal.errorOutput;
    EXPECT_EQ(AfterBanner(runs.file.errorOutput), kThreadWarning);

    const std::string& text = runs.terminal.errorOutput;
    EXPECT_NE(text.find("\rCompressing level 1 of 10, 0%\033[K" + kErase + kThreadWarning),
              std::string::npos)
        << text;
    ExpectEachStatusIsOverwrittenOrErased(text, FindStatuses(text));
    ExpectSameScreen(text, runs.file.errorOutput, 80);
}

// Each entry's line begins with "Compressing ... as type ..."; its status
// covers that row and the erasure puts back what of it was on the row.
// Narrow terminals make the row wrap.
TEST_F(TerminalStatus, AWorkspaceRunNamesTheEntryAndItsFile) {
    const std::string first = Entry("first", m_dir.File("first.ktx"));
    const std::string second = Entry("second", m_dir.File("second.ktx"));
    const std::string third = Entry("third", m_dir.File("third.ktx"));
    for (unsigned short columns : {40, 80, 200}) {
        SCOPED_TRACE(std::to_string(columns) + " columns");
        const std::string workspace = WriteWorkspace({first, second, third});
        const ProcessResult terminal =
            RunVostrelCmdOnTerminal({"-ws", workspace}, columns, "xterm");
        const ProcessResult file = RunVostrelCmd({"-ws", workspace});
        ASSERT_EQ(terminal.exitStatus, 0) << terminal.errorOutput;
        ASSERT_EQ(file.exitStatus, 0) << file.errorOutput;
        std::string expected;
        for (const char* name : {"first", "second", "third"}) {
            expected += "Compressing " + m_dir.File(std::string(name) + ".tga") +
                        " as type ETC1 RGB8... Saved to " + m_dir.File(std::string(name) + ".ktx") +
                        "\n\n";
        }
        EXPECT_EQ(AfterBanner(file.errorOutput), expected);

        const std::string& text = terminal.errorOutput;
        const std::string lead =
            "Compressing " + m_dir.File("first.tga") + " as type ETC1 RGB8... ";
        const std::string firstStatus =
            columns == 40 ? "Entry 1 of 3 (...): compressing level 1"
                          : "Entry 1 of 3 (first.tga): compressing level 1 of 10, 0%";
        EXPECT_NE(text.find(lead + "\r" + firstStatus + "\033[K"), std::string::npos) << text;
        const std::vector<Status> statuses = FindStatuses(text);
        ExpectEachStatusIsOverwrittenOrErased(text, statuses);
        if (columns == 200) {
            const char* const names[] = {"first", "second", "third"};
            for (const Status& status : statuses) {
                LevelStatus read;
                ASSERT_TRUE(ReadEntryStatus(status.text, &read)) << status.text;
                ASSERT_TRUE(read.entry >= 1 && read.entry <= 3) << status.text;
                EXPECT_EQ(read.name, names[read.entry - 1]);
                EXPECT_EQ(read.levels, 10);
            }
        }
        ExpectSameScreen(text, file.errorOutput, columns);
    }
}

// Standard error in a file, and on a terminal whose TERM is "dumb", get
// what the tool has always written, byte for byte.
TEST_F(TerminalStatus, WithoutAUsableTerminalNothingChanges) {
    const std::string workspace = WriteWorkspace(
        {Entry("first", m_dir.File("first.ktx")), Entry("bad", m_dir.File("no/bad.ktx"))});
    const std::vector<std::vector<std::string>> runs = {
        {m_input, m_dir.File("out.ktx"), "ETC1 RGB8", "yes"},
        {m_input, m_dir.File("no/out.ktx"), "3DC X", "yes"},
        {"-ws", workspace},
    };
    const std::string expected[] = {
        "",
        "ERROR: SaveImageKTX: File could not be opened for writing.\n\n<press a key>\n",
        "Compressing " + m_dir.File("first.tga") + " as type ETC1 RGB8... Saved to " +
            m_dir.File("first.ktx") + "\n\nCompressing " + m_dir.File("bad.tga") +
            " as type ETC1 RGB8... ERROR: SaveImageKTX: File could not be opened for writing.\n\n"
            "<press a key>\n",
    };
    for (size_t i = 0; i < runs.size(); ++i) {
        SCOPED_TRACE(::testing::PrintToString(runs[i]));
        const ProcessResult file = RunVostrelCmd(runs[i]);
        const ProcessResult dumb = RunVostrelCmdOnTerminal(runs[i], 80, "dumb");
        EXPECT_EQ(file.errorOutput.rfind(kBannerStart, 0), 0u);
        EXPECT_EQ(AfterBanner(file.errorOutput), expected[i]);
        EXPECT_EQ(dumb.errorOutput, file.errorOutput);
        EXPECT_EQ(dumb.exitStatus, file.exitStatus);
    }
}

}  // namespace
