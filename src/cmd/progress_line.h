// The status line that rewrites itself on a terminal while pictures are
// compressed: the level of the level count and the share of its blocks
// done, in the workspace mode also the entry and its file name.
//
// A compression opens the line and closes it. In between the first status
// of the line's life is drawn as soon as a level starts, and every later
// one at least kInterval after the one before. Before any other text goes
// to the terminal the status is erased: "\r\033[K", then the text that was
// on the row before the status covered it.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "status_text.h"

// The terminal that the line is drawn on.
class StatusTerminal {
  public:
    virtual ~StatusTerminal() = default;
    virtual void Write(std::string_view bytes) = 0;
    // The terminal's width in columns; 0 when it is not known.
    virtual size_t Columns() = 0;
};

class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kInterval = std::chrono::milliseconds(100);
    // The width assumed when the terminal tells none.
    static constexpr size_t kDefaultColumns = 80;

    ProgressLine(StatusTerminal& terminal, std::function<Clock::time_point()> now);

    // The workspace entry that the next compression belongs to, and the
    // text just written on the row where its status will be drawn.
    void SetEntry(uint32_t entry, uint32_t entryCount, std::string_view sourcePath,
                  std::string_view rowText);

    void OpenCompression();
    void LevelStarted(uint32_t level, uint32_t levelCount);
    void Progressed(uint64_t done, uint64_t total);
    // Some other text is about to be written: the status is erased.
    void BeforeText(std::string_view text);
    // The status is erased, and the line stays closed until the next
    // compression.
    void CloseCompression();

  private:
    void DrawWhenDue();
    void Erase();
    size_t Columns();

    StatusTerminal& m_terminal;
    std::function<Clock::time_point()> m_now;
    StatusPosition m_position;
    std::string m_rowText;  // the tool's own text on the cursor's row
    std::string m_shown;    // the status on the terminal, empty when none
    Clock::time_point m_lastDrawn{};
    bool m_open = false;
    bool m_everDrawn = false;
};
