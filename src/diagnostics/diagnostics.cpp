// The libraries' messages to standard error, one at a time under one lock,
// each shown to the hook (when one is set) just before it is written.
#include "diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>

namespace diagnostics {

namespace {

struct HookState {
    std::mutex mutex;
    Hook hook = nullptr;
    void* context = nullptr;
};

HookState& State() {
    static HookState state;
    return state;
}

// Shows hookText to the hook, then runs output, both under the lock.
template <typename Output>
void Deliver(const char* hookText, Output&& output) {
    HookState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (state.hook != nullptr) {
        state.hook(state.context, hookText);
    }
    output();
}

}  // namespace

void SetHook(Hook hook, void* context) {
    HookState& state = State();
    std::lock_guard<std::mutex> lock(state.mutex);
    state.hook = hook;
    state.context = hook != nullptr ? context : nullptr;
}

void Write(const char* text) {
    Deliver(text, [text] { std::fputs(text, stderr); });
}

void Print(const char* format, ...) {
    char text[kHookTextBytes];
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    if (length < 0) {
        text[0] = '\0';
    }
    if (length >= 0 && static_cast<size_t>(length) < sizeof text) {
        Deliver(text, [&text] { std::fputs(text, stderr); });
    } else {
        Deliver(text, [format, &again] { std::vfprintf(stderr, format, again); });
    }
    va_end(again);
    va_end(arguments);
}

}  // namespace diagnostics
