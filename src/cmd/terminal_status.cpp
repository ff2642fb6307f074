// VostrelCmd's one status line on standard error: made when standard error
// is a terminal, fed by the pool's progress observer and the libraries'
// message hook, all under one lock.
#include "terminal_status.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

#include "diagnostics.h"
#include "parallel.h"
#include "progress_line.h"

namespace {

class StandardErrorTerminal : public StatusTerminal {
  public:
    void Write(std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size(), stderr);
    }
    size_t Columns() override {
        winsize size{};
        return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 ? size.ws_col : 0;
    }
};

// The line, made by EnableTerminalStatus when it is drawn at all. The
// observer and the message hook may call in from other threads than the
// one that runs the front end.
struct TerminalStatus {
    std::mutex mutex;
    StandardErrorTerminal terminal;
    std::unique_ptr<ProgressLine> line;
};

TerminalStatus& Status() {
    static TerminalStatus status;
    return status;
}

bool TerminalIsDumb() {
    const char* term = std::getenv("TERM");
    return term != nullptr && std::strcmp(term, "dumb") == 0;
}

template <typename Action>
void WithLine(Action&& action) {
    TerminalStatus& status = Status();
    std::lock_guard<std::mutex> lock(status.mutex);
    if (status.line) {
        action(*status.line);
    }
}

bool Enabled() {
    TerminalStatus& status = Status();
    std::lock_guard<std::mutex> lock(status.mutex);
    return status.line != nullptr;
}

void OnProgress(void*, uint64_t done, uint64_t total) {
    WithLine([=](ProgressLine& line) { line.Progressed(done, total); });
}

void OnMessage(void*, const char* text) {
    WithLine([text](ProgressLine& line) { line.BeforeText(text); });
}

}  // namespace

void EnableTerminalStatus() {
    if (!isatty(STDERR_FILENO) || TerminalIsDumb()) {
        return;
    }
    TerminalStatus& status = Status();
    std::lock_guard<std::mutex> lock(status.mutex);
    status.line = std::make_unique<ProgressLine>(status.terminal, ProgressLine::Clock::now);
}

void SetStatusEntry(uint32_t entry, uint32_t entryCount, std::string_view sourcePath,
                    std::string_view rowText) {
    WithLine([&](ProgressLine& line) { line.SetEntry(entry, entryCount, sourcePath, rowText); });
}

CompressionStatus::CompressionStatus() {
    if (!Enabled()) {
        return;
    }
    WithLine([](ProgressLine& line) { line.OpenCompression(); });
    // Set outside the line's lock: a message being written holds the
    // hook's lock while it waits for the line's.
    diagnostics::SetHook(OnMessage, nullptr);
    parallel::SetProgressObserver(OnProgress, nullptr);
}

CompressionStatus::~CompressionStatus() {
    if (!Enabled()) {
        return;
    }
    WithLine([](ProgressLine& line) { line.CloseCompression(); });
    parallel::SetProgressObserver(nullptr, nullptr);
    diagnostics::SetHook(nullptr, nullptr);
}

void CompressionStatus::LevelStarted(void*, uint32_t level, uint32_t levelCount) {
    WithLine([=](ProgressLine& line) { line.LevelStarted(level, levelCount); });
}
