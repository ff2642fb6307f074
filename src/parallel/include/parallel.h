// The process's worker threads: loops split into bands of consecutive
// indices that run on every thread of the pool, the calling thread included.
//
// The pool is made on first use and lives until the process exits. It has
// one thread per online core; VOSTREL_THREADS=n asks for n threads in all
// (1: the calling thread alone), at most kMaxThreads. A value that is not a
// positive integer that fits in 32 bits (a sign, a space, other characters,
// nothing at all, or too many digits) is ignored with one warning line on
// standard error, and every core is used.
//
// Bodies must not throw, and must not depend on which thread runs a band or
// in which order bands run. A loop started from inside a band runs at once
// on the thread that started it; so does a loop started while another thread
// has the pool. A loop never waits for the pool.
#pragma once

#include <cstdint>
#include <type_traits>

namespace parallel {

constexpr unsigned kMaxThreads = 256;

// Threads that take part in a loop, the calling thread included.
unsigned ThreadCount();

// The progress of the block encoders' loops: called with the units done and
// the units in all, first (0, total), then each time more units are done,
// last (total, total); only for a loop that has the pool and is not started
// from inside a band, and only on the thread that started it. A null
// function removes the observer.
using ProgressFunction = void (*)(void* context, uint64_t done, uint64_t total);
void SetProgressObserver(ProgressFunction function, void* context);

// The band size for count indices that each stand for unitsPerIndex units
// of work: at least minimumUnits units a band, and no more than kMaxBands
// bands in all.
constexpr uint64_t kMaxBands = 1024;
uint64_t BandSize(uint64_t count, uint64_t unitsPerIndex, uint64_t minimumUnits);

// Bands run function(context, begin, end) for [begin, end) of [0, count),
// bandSize indices each (the last may be shorter). With unitsPerIndex
// nonzero the loop reports its progress, unitsPerIndex units per index.
// Returns when every band has run.
using BandFunction = void (*)(void* context, uint64_t begin, uint64_t end);
void RunBands(uint64_t count, uint64_t bandSize, BandFunction function, void* context,
              uint64_t unitsPerIndex);

template <typename Body>
void CallBody(void* context, uint64_t begin, uint64_t end) {
    (*static_cast<Body*>(context))(begin, end);
}

// body(begin, end) for every band.
template <typename Body>
void ForEachBand(uint64_t count, uint64_t bandSize, Body&& body) {
    using Stored = std::remove_reference_t<Body>;
    RunBands(count, bandSize, &CallBody<Stored>, const_cast<std::remove_const_t<Stored>*>(&body),
             0);
}

// The same, reporting progress to the observer in units of unitsPerIndex
// per index (unitsPerIndex > 0).
template <typename Body>
void ForEachBandReporting(uint64_t count, uint64_t bandSize, uint64_t unitsPerIndex, Body&& body) {
    using Stored = std::remove_reference_t<Body>;
    RunBands(count, bandSize, &CallBody<Stored>, const_cast<std::remove_const_t<Stored>*>(&body),
             unitsPerIndex);
}

}  // namespace parallel
