// The slots of the temporary files being written, the signal handler that
// removes them, and the deferral that keeps a slot and its file together.
#include "interrupt_cleanup.h"

#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <initializer_list>

#include "shared.h"

namespace {

// A slot goes Free -> Claimed (its name being copied, ignored by the handler)
// -> Recorded (the handler may remove the name) -> Free again, or to
// Unlinking once the handler has taken it, after which the process ends.
enum SlotState : int { Free, Claimed, Recorded, Unlinking };

struct Slot {
    std::atomic<int> state{Free};
    char path[PATH_MAX];
};

// Enough for every file that one process writes at a time.
constexpr int kSlotCount = 8;
Slot slots[kSlotCount];

static_assert(std::atomic<int>::is_always_lock_free, "the handler may only use lock-free atomics");

void OnInterrupt(int signal) {
    for (Slot& slot : slots) {
        int expected = Recorded;
        if (slot.state.compare_exchange_strong(expected, Unlinking)) {
            unlink(slot.path);
        }
    }
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
    // Blocked until the handler returns, then delivered with the default
    // action: the process ends by this signal.
    raise(signal);
}

void InterruptSignals(sigset_t* set) {
    sigemptyset(set);
    sigaddset(set, SIGINT);
    sigaddset(set, SIGTERM);
}

}  // namespace

void InstallInterruptCleanup() {
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) != 0 || (previous.sa_flags & SA_SIGINFO) != 0 ||
            previous.sa_handler != SIG_DFL) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = OnInterrupt;
        InterruptSignals(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

InterruptDeferral::InterruptDeferral() {
    sigset_t set;
    InterruptSignals(&set);
    pthread_sigmask(SIG_BLOCK, &set, &m_saved);
}

InterruptDeferral::~InterruptDeferral() { pthread_sigmask(SIG_SETMASK, &m_saved, nullptr); }

int RecordTemporaryFile(const char* path) {
    const size_t length = std::strlen(path);
    if (length >= PATH_MAX) {
        return -1;
    }
    for (int index = 0; index < kSlotCount; ++index) {
        Slot& slot = slots[index];
        int expected = Free;
        if (slot.state.compare_exchange_strong(expected, Claimed)) {
            std::memcpy(slot.path, path, length + 1);
            slot.state.store(Recorded);
            return index;
        }
    }
    return -1;
}

void ReleaseTemporaryFile(int index) {
    if (index < 0) {
        return;
    }
    int expected = Recorded;
    if (!slots[index].state.compare_exchange_strong(expected, Free)) {
        // The handler took the slot on another thread and is ending the
        // process; the name must not be reused before it is gone.
        for (;;) {
            pause();
        }
    }
}
