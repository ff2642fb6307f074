// The thread pool of the benchmark's own encodes: the calling thread alone,
// or a thread on every online core. The benchmark ignores VOSTREL_THREADS
// (it measures both), and its child processes use every core unless told.
#pragma once

void EncodeOnOneThread();
void EncodeOnAllCores();

// Threads of the pool now in use.
unsigned EncodeThreads();

// The setting for a child process run on one thread.
constexpr const char* kOneThreadSetting = "VOSTREL_THREADS=1";
