// The pool of worker threads behind RunBands, and the state one loop shares
// with them.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "parallel.h"

namespace parallel {

// One loop, on the stack of the thread that started it.
struct BandJob {
    BandFunction function;
    void* context;
    uint64_t count;
    uint64_t bandSize;
    uint64_t bands;
    uint64_t unitsPerIndex;  // 0: the loop reports no progress
    std::atomic<uint64_t> nextBand{0};
    std::atomic<uint64_t> doneIndices{0};
};

struct ProgressObserver {
    ProgressFunction function = nullptr;
    void* context = nullptr;
};

// True on the pool's workers, and on a thread while it runs bands of a loop
// that has the pool: loops started there run on that thread alone.
bool InsideBand();

// Runs every band of job on the calling thread, in order.
void RunBandsHere(BandJob& job);

class ThreadPool {
  public:
    // threads: the threads that take part in a loop, the caller included.
    explicit ThreadPool(unsigned threads);
    // Wakes and joins the workers; no loop may be running.
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    unsigned Threads() const { return static_cast<unsigned>(m_workers.size()) + 1; }

    // Runs job's bands on the workers and the calling thread and reports
    // the progress of a reporting job to observer on the calling thread.
    // Returns false, having run nothing, when another loop has the pool.
    bool TryRun(BandJob& job, const ProgressObserver& observer);

  private:
    void Work();
    // A worker's share of job: bands claimed and run until none is left.
    void RunClaimedBands(BandJob& job);

    std::mutex m_owner;                  // held by the loop that has the pool
    std::mutex m_mutex;                  // guards the fields below
    std::condition_variable m_wake;      // workers: a job arrived, or stop
    std::condition_variable m_progress;  // the loop's thread: a band ended
    BandJob* m_job = nullptr;
    uint64_t m_generation = 0;  // counts the jobs posted
    unsigned m_active = 0;      // workers inside the current job
    bool m_stopping = false;
    std::vector<std::thread> m_workers;
};

}  // namespace parallel
