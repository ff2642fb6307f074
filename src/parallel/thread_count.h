// How many threads the pool gets, from the online cores and the
// VOSTREL_THREADS setting.
#pragma once

namespace parallel {

struct ThreadCountChoice {
    unsigned threads;  // 1 to kMaxThreads
    bool warn;         // the setting was present but not a positive integer
};

// setting: the variable's text, or null when it is not set.
ThreadCountChoice ChooseThreadCount(const char* setting, long onlineCores);

// The online cores as the system counts them.
long OnlineCores();

constexpr const char* kThreadCountWarning =
    "Warning: VOSTREL_THREADS is not a positive integer; using all cores.\n";

}  // namespace parallel
