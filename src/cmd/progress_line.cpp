// ProgressLine: the status drawn when due, and erased, with the row's own
// text put back, before any other text reaches the terminal.
#include "progress_line.h"

#include <utility>

namespace {

constexpr std::string_view kEraseRow = "\r\033[K";
constexpr std::string_view kEraseRest = "\033[K";

// The text on the cursor's row once text has been written after row.
std::string RowAfter(std::string_view row, std::string_view text) {
    const size_t newline = text.rfind('\n');
    if (newline != std::string_view::npos) {
        return std::string(text.substr(newline + 1));
    }
    return std::string(row) + std::string(text);
}

}  // namespace

ProgressLine::ProgressLine(StatusTerminal& terminal, std::function<Clock::time_point()> now)
    : m_terminal(terminal), m_now(std::move(now)) {}

void ProgressLine::SetEntry(uint32_t entry, uint32_t entryCount, std::string_view sourcePath,
                            std::string_view rowText) {
    m_position.entry = entry;
    m_position.entryCount = entryCount;
    m_position.fileName = std::string(FileNameOf(sourcePath));
    m_rowText = RowAfter({}, rowText);
}

void ProgressLine::OpenCompression() { m_open = true; }

void ProgressLine::LevelStarted(uint32_t level, uint32_t levelCount) {
    m_position.level = level;
    m_position.levelCount = levelCount;
    m_position.percent = 0;
    DrawWhenDue();
}

void ProgressLine::Progressed(uint64_t done, uint64_t total) {
    m_position.percent = PercentDone(done, total);
    DrawWhenDue();
}

void ProgressLine::BeforeText(std::string_view text) {
    Erase();
    m_rowText = RowAfter(m_rowText, text);
}

void ProgressLine::CloseCompression() {
    Erase();
    m_open = false;
    m_rowText.clear();
}

void ProgressLine::DrawWhenDue() {
    // A row holding control characters could not be put back as it was.
    if (!m_open || m_position.levelCount == 0 || !CountableText(m_rowText)) {
        return;
    }
    const Clock::time_point now = m_now();
    if (m_everDrawn && now - m_lastDrawn < kInterval) {
        return;
    }
    const std::string status = StatusText(m_position, Columns() - 1);
    if (status.empty() || status == m_shown) {
        return;
    }
    m_terminal.Write("\r" + status + std::string(kEraseRest));
    m_shown = status;
    m_lastDrawn = now;
    m_everDrawn = true;
}

void ProgressLine::Erase() {
    if (m_shown.empty()) {
        return;
    }
    m_terminal.Write(std::string(kEraseRow) + std::string(CursorRowOf(m_rowText, Columns())));
    m_shown.clear();
}

size_t ProgressLine::Columns() {
    const size_t columns = m_terminal.Columns();
    return columns > 0 ? columns : kDefaultColumns;
}
