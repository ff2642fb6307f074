// What each format code of the library stores and decodes to.
#pragma once

#include <cstdint>

// Bytes of one stored 4x4 block of format under flags; 0 for a format the
// library does not know.
uint32_t StoredBlockBytes(uint32_t format, uint32_t flags);

// Bytes per pixel that QuendaQueryDecodeBufferSize answers for format; 0 for
// a format the library does not know.
uint32_t QueryPixelBytes(uint32_t format, bool alpha);
