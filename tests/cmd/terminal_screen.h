// What a terminal shows once it has received some bytes, for comparing a
// run on a terminal with the same run's text written to a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The rows of a terminal columns wide without scrolling back, after bytes:
// UTF-8 characters of one column each, wrapped at the right edge as VT100
// terminals do (the cursor waits in the last column until the next
// character), "\n" as a new row from its start, "\r", and "\033[K". Any
// other control character makes understood false.
struct Screen {
    std::vector<std::string> rows;
    bool understood = true;
};

Screen ShowOnTerminal(std::string_view bytes, size_t columns);
