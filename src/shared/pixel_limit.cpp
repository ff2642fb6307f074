// The pixel limit of LoadImage: the default, or VOSTREL_MAX_PIXELS read and
// checked once per process.
#include "pixel_limit.h"

#include <cstdlib>

#include "diagnostics.h"

bool ParsePositiveInteger(const char* text, uint64_t* value) {
    if (text == nullptr || *text == '\0') {
        return false;
    }
    uint64_t parsed = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') {
            return false;
        }
        const uint64_t digit = uint64_t(*c - '0');
        if (parsed > (UINT64_MAX - digit) / 10) {
            return false;
        }
        parsed = parsed * 10 + digit;
    }
    if (parsed == 0) {
        return false;
    }
    *value = parsed;
    return true;
}

uint64_t PixelLimit() {
    static const uint64_t limit = [] {
        const char* text = std::getenv("VOSTREL_MAX_PIXELS");
        uint64_t value = kDefaultPixelLimit;
        if (text != nullptr && !ParsePositiveInteger(text, &value)) {
            // The value itself is not repeated: it may be anything at all.
            diagnostics::Print(
                "Warning: VOSTREL_MAX_PIXELS is not a positive integer; using %llu.\n",
                static_cast<unsigned long long>(kDefaultPixelLimit));
        }
        return value;
    }();
    return limit;
}
