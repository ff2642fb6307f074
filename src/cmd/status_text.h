// The words of VostrelCmd's terminal status line, fitted to the terminal's
// width, and the end of the tool's own text that is on the cursor's row.
//
// Widths count the characters of UTF-8 text, one column each (the bytes
// 0x80 to 0xBF continue a character); a status never holds a control
// character.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Where a run is.
struct StatusPosition {
    uint32_t entry = 0;       // the workspace entry, from 0
    uint32_t entryCount = 0;  // 0 in the direct mode: no entry is shown
    std::string fileName;     // the entry's source file, without its folders
    uint32_t level = 0;       // from 0
    uint32_t levelCount = 0;
    unsigned percent = 0;
};

// done of total in whole percent, rounded down: 100 only once done has
// reached total.
unsigned PercentDone(uint64_t done, uint64_t total);

// "Compressing level 3 of 9, 42%", or in the workspace mode
// "Entry 1 of 3 (kodim01.png): compressing level 3 of 9, 42%", in at most
// width columns: a long file name loses its start first ("...m01.png"),
// then the whole text its end.
std::string StatusText(const StatusPosition& position, size_t width);

// What follows the last '/' of path.
std::string_view FileNameOf(std::string_view path);

// True when text holds no control character, so that the columns it
// takes on a terminal are known.
bool CountableText(std::string_view text);

// The end of countable text written to a terminal columns wide that stays
// on the cursor's row: what follows its last newline, less the full rows
// it wrapped into. A text that ends exactly at the right edge keeps that
// whole row, where the cursor waits to wrap.
std::string_view CursorRowOf(std::string_view text, size_t columns);
