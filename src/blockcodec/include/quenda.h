// Quenda, the block compression library: encode, decode and decode-size
// entry points for ATC, ETC1 RGB8, 3DC X and 3DC XY, by format code.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

// Returned by the entry points for a negative width, height or level, and by
// QuendaQueryDecodeBufferSize when the size does not fit in 32 bits.
constexpr int32_t RESULT_BAD_ARGUMENT = 7;

// Encodes width x height pixels (row y at source + y * pitch) into 4x4
// blocks. *size holds the capacity of output on entry and the exact size of
// the blocks on success.
//
// Each mask selects one channel as a contiguous run of bits. Runs of up to 8
// bits widen to 8 bits by bit replication (4 bits: v x 17); a 1-bit alpha mask
// gives 0 or 255 and an empty alpha mask 255. Of a run wider than 8 bits only
// its top 8 bits are kept.
//
// Checks, in order: FLAG_NO_ALPHA with FLAG_ALPHA (RESULT_FLAGS_CONFLICT),
// format, negative width or height (RESULT_BAD_ARGUMENT), capacity. An image
// with a width or height of 0 has no blocks: it succeeds with a size of 0.
int32_t QuendaEncode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                     uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                     uint32_t flags, uint32_t format, uint8_t* output, uint32_t* size);

// Decodes mip level `level` of a chain whose level 0 is width x height into
// rows of 3-byte pixels, or 4-byte pixels with FLAG_ALPHA. The fourth byte is
// 255 for formats without an alpha block (ETC1 RGB8, 3DC X, 3DC XY).
//
// Checks, in order: format, negative level (RESULT_BAD_ARGUMENT), destination
// size, channel order.
int32_t QuendaDecode(uint32_t format, uint32_t width, uint32_t height, uint32_t flags,
                     const uint8_t* source, int32_t level, uint32_t order, uint8_t* destination,
                     uint32_t destinationSize);

// Stores the bytes that decoding level 0 needs into *size. A negative width
// or height, or a size beyond 32 bits, stores 0 and gives RESULT_BAD_ARGUMENT.
int32_t QuendaQueryDecodeBufferSize(int32_t width, int32_t height, uint32_t format, int32_t alpha,
                                    uint32_t* size);
