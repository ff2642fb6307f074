// The process's one pool, made on first use, and the public loop entry.
#include <cstdlib>
#include <exception>
#include <memory>
#include <mutex>

#include "diagnostics.h"
#include "parallel.h"
#include "parallel_testing.h"
#include "thread_count.h"
#include "thread_pool.h"

namespace parallel {

namespace {

// The pool and the observer. Destroyed at exit: the workers are joined, and
// loops from then on run on their own thread.
class PoolHolder {
  public:
    ~PoolHolder() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        m_pool.reset();
    }

    // The pool, made with the threads that VOSTREL_THREADS asks for; null
    // once the process is exiting, or when it could not be made (it is not
    // tried again). Also gives the observer of the moment.
    ThreadPool* Pool(ProgressObserver* observer = nullptr) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (observer != nullptr) {
            *observer = m_observer;
        }
        if (!m_tried && !m_closed) {
            m_tried = true;
            const ThreadCountChoice choice =
                ChooseThreadCount(std::getenv("VOSTREL_THREADS"), OnlineCores());
            if (choice.warn) {
                diagnostics::Write(kThreadCountWarning);
            }
            try {
                m_pool = std::make_unique<ThreadPool>(choice.threads);
            } catch (const std::exception&) {
                // No memory for the pool: loops run on their own thread.
            }
        }
        return m_pool.get();
    }

    void Reset() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pool.reset();
        m_tried = false;
    }

    void SetObserver(const ProgressObserver& observer) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_observer = observer;
    }

  private:
    std::mutex m_mutex;
    std::unique_ptr<ThreadPool> m_pool;
    ProgressObserver m_observer;
    bool m_tried = false;
    bool m_closed = false;
};

constinit PoolHolder gHolder;

}  // namespace

unsigned ThreadCount() {
    const ThreadPool* pool = gHolder.Pool();
    return pool != nullptr ? pool->Threads() : 1;
}

void SetProgressObserver(ProgressFunction function, void* context) {
    gHolder.SetObserver({function, function != nullptr ? context : nullptr});
}

uint64_t BandSize(uint64_t count, uint64_t unitsPerIndex, uint64_t minimumUnits) {
    const uint64_t units = unitsPerIndex > 0 ? unitsPerIndex : 1;
    const uint64_t forUnits = minimumUnits / units + (minimumUnits % units != 0 ? 1 : 0);
    const uint64_t forBands = count / kMaxBands + (count % kMaxBands != 0 ? 1 : 0);
    const uint64_t size = forUnits > forBands ? forUnits : forBands;
    return size > 0 ? size : 1;
}

void RunBands(uint64_t count, uint64_t bandSize, BandFunction function, void* context,
              uint64_t unitsPerIndex) {
    if (count == 0) {
        return;
    }
    BandJob job{function, context, count, bandSize, 0, unitsPerIndex};
    if (job.bandSize == 0) {
        job.bandSize = 1;
    }
    job.bands = (count - 1) / job.bandSize + 1;
    if (!InsideBand()) {
        ProgressObserver observer;
        ThreadPool* pool = gHolder.Pool(&observer);
        if (pool != nullptr && pool->TryRun(job, observer)) {
            return;
        }
    }
    RunBandsHere(job);
}

void ResetPoolForTesting() { gHolder.Reset(); }

}  // namespace parallel
