// The pool's thread count: the online cores, or VOSTREL_THREADS when it is
// a positive integer.
#include "thread_count.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "parallel.h"

namespace parallel {

namespace {

unsigned Capped(uint64_t threads) {
    return static_cast<unsigned>(std::clamp<uint64_t>(threads, 1, kMaxThreads));
}

// The value of a text made only of decimal digits, at least one, when it
// fits in 32 bits; false for anything else.
bool ParseUnsigned32(const char* text, uint64_t* value) {
    if (*text == '\0') {
        return false;
    }
    uint64_t result = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') {
            return false;
        }
        result = result * 10 + static_cast<uint64_t>(*c - '0');
        if (result > UINT32_MAX) {
            return false;
        }
    }
    *value = result;
    return true;
}

}  // namespace

ThreadCountChoice ChooseThreadCount(const char* setting, long onlineCores) {
    const unsigned cores = Capped(onlineCores > 0 ? static_cast<uint64_t>(onlineCores) : 1);
    if (setting == nullptr) {
        return {cores, false};
    }
    uint64_t asked = 0;
    if (!ParseUnsigned32(setting, &asked) || asked == 0) {
        return {cores, true};
    }
    return {Capped(asked), false};
}

long OnlineCores() { return sysconf(_SC_NPROCESSORS_ONLN); }

}  // namespace parallel
