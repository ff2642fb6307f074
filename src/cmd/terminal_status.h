// VostrelCmd's status line on standard error, drawn only when standard
// error is a terminal whose TERM is not "dumb"; otherwise every function
// here does nothing and the tool writes what it always has.
//
// The line is open only while a picture is compressed: loading and saving,
// and every message of the front end, happen with it erased. While it is
// open the block encoders' progress reaches it through the process-wide
// progress observer, and the libraries' own messages erase it before they
// are written.
#pragma once

#include <cstdint>
#include <string_view>

// Decides, once, whether the line is drawn at all; RunMain calls it.
void EnableTerminalStatus();

// The workspace mode: the entry compressed next, from 0 of entryCount, and
// the text that has just been written on the row where its status goes.
void SetStatusEntry(uint32_t entry, uint32_t entryCount, std::string_view sourcePath,
                    std::string_view rowText);

// The line's time on the terminal: one compression of one or more levels.
class CompressionStatus {
  public:
    CompressionStatus();
    ~CompressionStatus();
    CompressionStatus(const CompressionStatus&) = delete;
    CompressionStatus& operator=(const CompressionStatus&) = delete;

    // A level starts, as CompressMipChain tells it; the context is unused.
    static void LevelStarted(void* context, uint32_t level, uint32_t levelCount);
};
