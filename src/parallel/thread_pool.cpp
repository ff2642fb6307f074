// The worker threads: a loop's bands claimed one at a time by the workers
// and the loop's own thread, and the loop's progress told on that thread.
#include "thread_pool.h"

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <system_error>

namespace parallel {

namespace {

thread_local bool tInsideBand = false;

// Marks the current thread as running bands for as long as it lives.
class BandScope {
  public:
    BandScope() : m_previous(tInsideBand) { tInsideBand = true; }
    ~BandScope() { tInsideBand = m_previous; }
    BandScope(const BandScope&) = delete;
    BandScope& operator=(const BandScope&) = delete;

  private:
    bool m_previous;
};

void RunBand(BandJob& job, uint64_t band) noexcept {
    const uint64_t begin = band * job.bandSize;
    const uint64_t end = std::min(job.count, begin + job.bandSize);
    job.function(job.context, begin, end);
    job.doneIndices.fetch_add(end - begin, std::memory_order_acq_rel);
}

// Tells the observer of a reporting job what is done, each figure once and
// rising, always (0, total) first and (total, total) last.
class ProgressReport {
  public:
    ProgressReport(const BandJob& job, const ProgressObserver& observer)
        : m_job(job), m_observer(job.unitsPerIndex != 0 ? observer : ProgressObserver{}) {
        Tell(0);
    }
    ~ProgressReport() {
        if (m_reported < m_job.count) {
            Tell(m_job.count);
        }
    }
    ProgressReport(const ProgressReport&) = delete;
    ProgressReport& operator=(const ProgressReport&) = delete;

    bool Active() const { return m_observer.function != nullptr; }
    uint64_t Reported() const { return m_reported; }

    void Update() {
        const uint64_t done = m_job.doneIndices.load(std::memory_order_acquire);
        if (done > m_reported) {
            Tell(done);
        }
    }

  private:
    // The observer must not throw: the workers may still be using the job.
    void Tell(uint64_t done) noexcept {
        m_reported = done;
        if (Active()) {
            m_observer.function(m_observer.context, done * m_job.unitsPerIndex,
                                m_job.count * m_job.unitsPerIndex);
        }
    }

    const BandJob& m_job;
    ProgressObserver m_observer;
    uint64_t m_reported = 0;
};

}  // namespace

bool InsideBand() { return tInsideBand; }

void RunBandsHere(BandJob& job) {
    BandScope scope;
    for (uint64_t band = 0; band < job.bands; ++band) {
        RunBand(job, band);
    }
}

ThreadPool::ThreadPool(unsigned threads) {
    m_workers.reserve(threads > 0 ? threads - 1 : 0);
    // The workers start with every signal blocked, so that signals sent to
    // the process reach the threads the program made itself, where it
    // defers or handles them.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &previous);
    for (unsigned i = 1; i < threads; ++i) {
        try {
            m_workers.emplace_back(&ThreadPool::Work, this);
        } catch (const std::system_error&) {
            break;  // the system will not start more; use the ones running
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
}

ThreadPool::~ThreadPool() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers) {
        // A worker that ends the process runs this destructor itself.
        if (worker.get_id() == std::this_thread::get_id()) {
            worker.detach();
        } else {
            worker.join();
        }
    }
}

bool ThreadPool::TryRun(BandJob& job, const ProgressObserver& observer) {
    std::unique_lock<std::mutex> owner(m_owner, std::try_to_lock);
    if (!owner.owns_lock()) {
        return false;
    }
    // Loops started by the bands or by the observer run where they start.
    BandScope scope;
    ProgressReport report(job, observer);
    const uint64_t helpers = std::min<uint64_t>(m_workers.size(), job.bands - 1);
    if (helpers > 0) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_job = &job;
            ++m_generation;
        }
        for (uint64_t i = 0; i < helpers; ++i) {
            m_wake.notify_one();
        }
    }
    for (uint64_t band;
         (band = job.nextBand.fetch_add(1, std::memory_order_relaxed)) < job.bands;) {
        RunBand(job, band);
        report.Update();
    }
    if (helpers > 0) {
        // Every band is claimed; wait for the workers still running theirs,
        // reporting each band they finish.
        std::unique_lock<std::mutex> lock(m_mutex);
        while (m_active > 0) {
            m_progress.wait(lock, [&] {
                return m_active == 0 ||
                       (report.Active() &&
                        job.doneIndices.load(std::memory_order_acquire) > report.Reported());
            });
            lock.unlock();
            report.Update();
            lock.lock();
        }
        m_job = nullptr;
    }
    return true;
}

void ThreadPool::RunClaimedBands(BandJob& job) {
    for (uint64_t band;
         (band = job.nextBand.fetch_add(1, std::memory_order_relaxed)) < job.bands;) {
        RunBand(job, band);
        if (job.unitsPerIndex != 0) {
            // Through the mutex, so that the loop's thread cannot miss it.
            { std::lock_guard<std::mutex> lock(m_mutex); }
            m_progress.notify_one();
        }
    }
}

void ThreadPool::Work() {
    BandScope scope;
    uint64_t seen = 0;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [&] { return m_stopping || (m_job != nullptr && m_generation != seen); });
        if (m_stopping) {
            return;
        }
        seen = m_generation;
        BandJob& job = *m_job;
        ++m_active;
        lock.unlock();
        RunClaimedBands(job);
        lock.lock();
        if (--m_active == 0) {
            m_progress.notify_one();
        }
    }
}

}  // namespace parallel
