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
    : terminal_(terminal), now_(std::move(now)) {}

void ProgressLine::SetEntry(uint32_t entry, uint32_t entryCount, std::string_view sourcePath,
                            std::string_view rowText) {
    position_.entry = entry;
    position_.entryCount = entryCount;
    position_.fileName = std::string(FileNameOf(sourcePath));
    rowText_ = RowAfter({}, rowText);
}

void ProgressLine::OpenCompression() { open_ = true; }

void ProgressLine::LevelStarted(uint32_t level, uint32_t levelCount) {
    position_.level = level;
    position_.levelCount = levelCount;
    position_.percent = 0;
    DrawWhenDue();
}

void ProgressLine::Progressed(uint64_t done, uint64_t total) {
    position_.percent = PercentDone(done, total);
    DrawWhenDue();
}

void ProgressLine::BeforeText(std::string_view text) {
    Erase();
    rowText_ = RowAfter(rowText_, text);
}

void ProgressLine::CloseCompression() {
    Erase();
    open_ = false;
    rowText_.clear();
}

void ProgressLine::DrawWhenDue() {
    // A row holding control characters could not be put back as it was.
    if (!open_ || position_.levelCount == 0 || !CountableText(rowText_)) {
        return;
    }
    const Clock::time_point now = now_();
    if (everDrawn_ && now - lastDrawn_ < kInterval) {
        return;
    }
    const std::string status = StatusText(position_, Columns() - 1);
    if (status.empty() || status == shown_) {
        return;
    }
    terminal_.Write("\r" + status + std::string(kEraseRest));
    shown_ = status;
    lastDrawn_ = now;
    everDrawn_ = true;
}

void ProgressLine::Erase() {
    if (shown_.empty()) {
        return;
    }
    terminal_.Write(std::string(kEraseRow) + std::string(CursorRowOf(rowText_, Columns())));
    shown_.clear();
}

size_t ProgressLine::Columns() {
    const size_t columns = terminal_.Columns();
    return columns > 0 ? columns : kDefaultColumns;
}
