// For tests and the benchmark only: a fresh pool, to try thread counts in
// one process.
#pragma once

namespace parallel {

// Joins and drops the pool; the next loop makes a new one from the
// VOSTREL_THREADS of that moment. No loop may be running.
void ResetPoolForTesting();

}  // namespace parallel
