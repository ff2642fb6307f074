// ParseSizeArgument: a width or height argument read as atoi reads it,
// saturating instead of overflowing.
#include <cstdint>

#include "front_end.h"

uint32_t ParseSizeArgument(const char* text) {
    const char* p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    constexpr int64_t kLimit = int64_t(INT32_MAX) + 1;
    int64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > kLimit) {
            value = kLimit;
        }
        ++p;
    }
    if (negative) {
        value = -value;
    } else if (value > INT32_MAX) {
        value = INT32_MAX;
    }
    return uint32_t(int32_t(value));
}
