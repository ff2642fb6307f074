// One 4x4 block in the stored layout of each format: which codec makes each
// part of it and in which byte order its words are kept.
#pragma once

#include <cstdint>

#include "quenda_codes.h"

// Writes the block's StoredBlockBytes(format, flags) bytes to out.
void EncodeStoredBlock(uint32_t format, uint32_t flags, const ColourBlock& colour,
                       const AlphaBlock& alpha, uint8_t* out);

// Reads StoredBlockBytes(format, flags) bytes. Formats without an alpha
// block give alpha 255.
void DecodeStoredBlock(uint32_t format, uint32_t flags, const uint8_t* in, ColourBlock* colour,
                       AlphaBlock* alpha);
