// The byte counts of block data that the decoders' callers must supply,
// computed in 64 bits from the formats' size rules, and the fuzzer's picks
// of format codes, flags and sizes shared by the codec targets.
#pragma once

#include <cstdint>

#include "fuzz_input.h"

// Named apart from the block library's own size rules, which they check.
namespace fuzz {

// Bytes of one level of w x h pixels; 0 for a format without blocks.
uint64_t LevelDataSize(uint32_t format, uint32_t flags, uint64_t width, uint64_t height);

// Bytes that QuendaDecode may read for level of a chain whose level 0 is
// width x height: the levels before it and the level itself.
uint64_t ChainReadSize(uint32_t format, uint32_t flags, uint32_t width, uint32_t height,
                       int32_t level);

// Bytes of ATC block data for width x height pixels.
uint64_t AtcDataSize(uint32_t flags, uint64_t width, uint64_t height);

// One of the block library's and the ATC codec's format codes, or any word.
uint32_t PickFormat(FuzzInput& in);
// A usual flag combination, or any word.
uint32_t PickFlags(FuzzInput& in);
// Mostly 0 to 64, sometimes any word.
uint32_t PickSide(FuzzInput& in);

}  // namespace fuzz
