// The status line on a terminal that records what it is sent, with a clock
// that only moves when a test moves it.
#include "progress_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "terminal_screen.h"

namespace {

using std::chrono::milliseconds;

class RecordingTerminal : public StatusTerminal {
  public:
    void Write(std::string_view bytes) override { writes.emplace_back(bytes); }
    size_t Columns() override { return columns; }

    std::string All() const {
        std::string all;
        for (const std::string& write : writes) {
            all += write;
        }
        return all;
    }

    std::vector<std::string> writes;
    size_t columns = 80;
};

class ProgressLineTest : public ::testing::Test {
  protected:
    ProgressLineTest() : m_line(m_terminal, [this] { return m_now; }) {}

    void At(int ms) { m_now = ProgressLine::Clock::time_point(milliseconds(ms)); }

    // What the step sent to the terminal.
    template <typename Step>
    std::string Sent(Step&& step) {
        const size_t before = m_terminal.writes.size();
        step();
        std::string sent;
        for (size_t i = before; i < m_terminal.writes.size(); ++i) {
            sent += m_terminal.writes[i];
        }
        return sent;
    }

    RecordingTerminal m_terminal;
    ProgressLine::Clock::time_point m_now{};
    ProgressLine m_line;
};

std::string Drawn(const std::string& status) { return "\r" + status + "\033[K"; }

TEST_F(ProgressLineTest, TheFirstStatusComesAtOnceLaterOnesAtMostTenASecond) {
    struct Step {
        int ms;
        int level;      // >= 0: that level of 3 starts
        uint64_t done;  // otherwise done of 100 are reported
        std::string sent;
    };
    const Step steps[] = {
        {0, 0, 0, Drawn("Compressing level 1 of 3, 0%")},
        {0, -1, 10, ""},
        {99, -1, 50, ""},
        {100, -1, 60, Drawn("Compressing level 1 of 3, 60%")},
        {150, 1, 0, ""},
        {199, -1, 100, ""},
        {230, -1, 50, Drawn("Compressing level 2 of 3, 50%")},
        // The same text is not drawn again, and does not count as a drawing.
        {400, -1, 50, ""},
        {401, -1, 51, Drawn("Compressing level 2 of 3, 51%")},
        {501, 2, 0, Drawn("Compressing level 3 of 3, 0%")},
        {601, -1, 100, Drawn("Compressing level 3 of 3, 100%")},
    };
    m_line.OpenCompression();
    for (const Step& step : steps) {
        At(step.ms);
        const std::string sent = Sent([&] {
            if (step.level >= 0) {
                m_line.LevelStarted(static_cast<uint32_t>(step.level), 3);
            } else {
                m_line.Progressed(step.done, 100);
            }
        });
        EXPECT_EQ(sent, step.sent) << "at " << step.ms << " ms";
    }
    EXPECT_EQ(Sent([&] { m_line.CloseCompression(); }), "\r\033[K");
}

TEST_F(ProgressLineTest, NothingIsDrawnOrErasedWhileTheLineIsClosed) {
    EXPECT_EQ(Sent([&] { m_line.LevelStarted(0, 2); }), "");
    EXPECT_EQ(Sent([&] { m_line.Progressed(1, 2); }), "");
    m_line.OpenCompression();
    EXPECT_EQ(Sent([&] { m_line.CloseCompression(); }), "") << "nothing to erase";
    EXPECT_EQ(Sent([&] { m_line.BeforeText("Warning\n"); }), "");

    m_line.OpenCompression();
    EXPECT_EQ(Sent([&] { m_line.LevelStarted(0, 2); }), Drawn("Compressing level 1 of 2, 0%"));
    m_line.CloseCompression();
    EXPECT_EQ(Sent([&] { m_line.Progressed(1, 2); }), "");
    // A new compression keeps to the pace of the line's earlier drawings.
    m_line.OpenCompression();
    At(50);
    EXPECT_EQ(Sent([&] { m_line.LevelStarted(0, 1); }), "");
    At(100);
    EXPECT_EQ(Sent([&] { m_line.Progressed(1, 4); }), Drawn("Compressing level 1 of 1, 25%"));
}

TEST_F(ProgressLineTest, AnUnknownWidthIsTakenAsEightyColumns) {
    m_terminal.columns = 0;
    m_line.SetEntry(0, 1, "/in/" + std::string(100, 'n') + ".png", "");
    m_line.OpenCompression();
    const std::string sent = Sent([&] { m_line.LevelStarted(0, 1); });
    ASSERT_EQ(sent.size(), 1 + 79 + 3u) << sent;
    EXPECT_EQ(sent.substr(0, 18), "\rEntry 1 of 1 (...");
}

TEST_F(ProgressLineTest, ARowWithControlCharactersGetsNoStatus) {
    m_line.SetEntry(0, 2, "/in/a\tb.png", "Compressing /in/a\tb.png as type ATC RGB... ");
    m_line.OpenCompression();
    m_line.LevelStarted(0, 1);
    At(500);
    m_line.Progressed(1, 2);
    m_line.CloseCompression();
    EXPECT_EQ(m_terminal.All(), "");
}

// A workspace entry as the tool writes it, with the status drawn before and
// after a library's message and erased at the end, on terminals of every
// width from 5 columns: the screen ends as the same text without a status
// leaves it, wherever the row before the status wrapped.
TEST_F(ProgressLineTest, TheScreenEndsAsTheTextWithoutAStatusLeavesIt) {
    const std::string paths[] = {"/in/kodim01.png", "/in/folder/kodim01.png",
                                 "/in/\xc3\xa9t\xc3\xa9/kodim01.png"};
    const std::string message = "Morlune error: Fast ATI_TC_Encode returned a low quality error \n";
    const std::string saved = "Saved to /out/a.ktx\n\n";
    for (const std::string& path : paths) {
        const std::string lead = "Compressing " + path + " as type ATC RGB... ";
        for (size_t columns = 5; columns <= 90; ++columns) {
            SCOPED_TRACE(path + " at " + std::to_string(columns) + " columns");
            RecordingTerminal terminal;
            terminal.columns = columns;
            int ms = 0;
            ProgressLine line(terminal,
                              [&ms] { return ProgressLine::Clock::time_point(milliseconds(ms)); });
            std::string bytes = lead;
            line.SetEntry(0, 3, path, lead);
            line.OpenCompression();
            line.LevelStarted(0, 2);
            line.BeforeText(message);
            bytes += terminal.All() + message;
            const size_t beforeMessage = terminal.All().size();
            ms = 200;
            line.Progressed(7, 10);
            ms = 400;
            line.LevelStarted(1, 2);
            line.CloseCompression();
            // Narrow terminals cut both levels' statuses to the same text,
            // which is not drawn twice.
            EXPECT_GE(terminal.writes.size(), columns > 60 ? 5u : 4u) << "statuses and erasures";
            bytes += terminal.All().substr(beforeMessage) + saved;

            const Screen shown = ShowOnTerminal(bytes, columns);
            const Screen plain = ShowOnTerminal(lead + message + saved, columns);
            EXPECT_TRUE(shown.understood);
            EXPECT_EQ(shown.rows, plain.rows);
        }
    }
}

TEST_F(ProgressLineTest, AStatusNeverReachesTheLastColumn) {
    m_line.SetEntry(1, 2, "/in/a-rather-long-name-for-a-picture.png", "Compressing ... ");
    for (size_t columns = 1; columns <= 100; ++columns) {
        m_terminal.columns = columns;
        m_line.OpenCompression();
        At(static_cast<int>(columns) * 1000);
        const std::string sent = Sent([&] { m_line.LevelStarted(0, 12); });
        m_line.CloseCompression();
        if (columns == 1) {
            EXPECT_EQ(sent, "") << "no room at all";
            continue;
        }
        const Screen screen = ShowOnTerminal(sent, columns);
        ASSERT_EQ(screen.rows.size(), 1u) << columns << ": " << sent;
        EXPECT_LE(screen.rows[0].size(), columns - 1) << columns << ": " << sent;
    }
}

}  // namespace
