// Removing temporary output files when SIGINT or SIGTERM ends the process.
//
// Each file being written records its temporary name in a slot before its
// first byte is written. The handler, once InstallInterruptCleanup (declared
// in shared.h) has installed it, unlinks every recorded name, restores the
// signal's default action and raises the signal again, so that the process
// still ends by it. It calls nothing but unlink, sigaction
// and raise, on names prepared beforehand. Between writes no slot is in use
// and a signal ends the process exactly as without the handler.
#pragma once

#include <signal.h>

// Blocks SIGINT and SIGTERM for the calling thread while it lives, so that a
// file's creation and its recording, or its rename and its release, happen
// together; a signal that arrives meanwhile is handled when it ends.
class InterruptDeferral {
  public:
    InterruptDeferral();
    ~InterruptDeferral();
    InterruptDeferral(const InterruptDeferral&) = delete;
    InterruptDeferral& operator=(const InterruptDeferral&) = delete;

  private:
    sigset_t m_saved;
};

// Records path for removal; returns the slot, or -1 when the path is too
// long or every slot is taken (the file is then written without the
// safeguard).
int RecordTemporaryFile(const char* path);

// Releases a slot once its name is gone or has become the destination's.
void ReleaseTemporaryFile(int slot);
