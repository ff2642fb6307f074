#include "encode_threads.h"

#include <cstdlib>

#include "parallel.h"
#include "parallel_testing.h"

namespace {

// Makes the pool anew from setting (null: every core), then leaves the
// variable unset for the child processes.
void RemakePool(const char* setting) {
    if (setting != nullptr) {
        setenv("VOSTREL_THREADS", setting, 1);
    } else {
        unsetenv("VOSTREL_THREADS");
    }
    parallel::ResetPoolForTesting();
    parallel::ThreadCount();
    unsetenv("VOSTREL_THREADS");
}

}  // namespace

void EncodeOnOneThread() { RemakePool("1"); }

void EncodeOnAllCores() { RemakePool(nullptr); }

unsigned EncodeThreads() { return parallel::ThreadCount(); }
