// The largest picture, in pixels, that LoadImage lets the picture library
// decode: 16384 x 16384, the largest texture the tool writes, unless the
// environment variable VOSTREL_MAX_PIXELS says otherwise.
#pragma once

#include <cstdint>

constexpr uint64_t kDefaultPixelLimit = 268435456;

// Reads text as a positive decimal integer: digits only (no sign, no blanks),
// not 0, and not above UINT64_MAX. False, with value untouched, otherwise.
bool ParsePositiveInteger(const char* text, uint64_t* value);

// The limit in force, read once per process. A VOSTREL_MAX_PIXELS that is
// set but not a positive integer gives the default and one warning line on
// standard error.
uint64_t PixelLimit();
