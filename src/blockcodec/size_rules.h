// Sizes of levels and mip chains of block data, in 64-bit arithmetic. Sizes
// that do not fit in 64 bits saturate at UINT64_MAX.
#pragma once

#include <cstdint>

// max(1, extent >> level), for any level >= 0.
uint64_t LevelExtent(uint64_t extent, int64_t level);

// Bytes of one level of w x h pixels: whole 4x4 blocks, at least one.
uint64_t LevelDataSize(uint32_t format, uint32_t flags, uint64_t w, uint64_t h);

// The number of significant bits of max(w, h): the levels of a full chain.
uint32_t LevelCount(uint64_t w, uint64_t h);

// Bytes of the first min(n, LevelCount(w, h)) levels of a chain whose level
// 0 is w x h; 0 for an unknown format.
uint64_t ChainDataSize(uint64_t w, uint64_t h, int64_t n, uint32_t flags, uint32_t format);
