// Quenda, the block compression library: encode, decode and decode-size
// entry points for ATC, ETC1 RGB8, 3DC X and 3DC XY, by format code.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

// Encodes width x height pixels (row y at source + y * pitch) into 4x4
// blocks. *size holds the capacity of output on entry and the exact size of
// the blocks on success.
int32_t QuendaEncode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                     uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                     uint32_t flags, uint32_t format, uint8_t* output, uint32_t* size);

// Decodes mip level `level` of a chain whose level 0 is width x height into
// rows of 3-byte pixels, or 4-byte pixels with FLAG_ALPHA.
int32_t QuendaDecode(uint32_t format, uint32_t width, uint32_t height, uint32_t flags,
                     const uint8_t* source, int32_t level, uint32_t order, uint8_t* destination,
                     uint32_t destinationSize);

// Stores the bytes that decoding level 0 needs into *size.
int32_t QuendaQueryDecodeBufferSize(int32_t width, int32_t height, uint32_t format,
                                    int32_t alpha, uint32_t* size);
