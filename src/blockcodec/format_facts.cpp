// What each format code stores per block and decodes to per pixel.
#include "format_facts.h"

#include "quenda_codes.h"

uint32_t StoredBlockBytes(uint32_t format, uint32_t flags) {
    switch (format) {
        case FORMAT_ETC1_RGB8:
        case FORMAT_3DC_X:
            return 8;
        case FORMAT_3DC_XY:
            return 16;
        case FORMAT_ATC:
            return (flags & FLAG_ALPHA) != 0 ? 16 : 8;
        default:
            return 0;
    }
}

uint32_t QueryPixelBytes(uint32_t format, bool alpha) {
    switch (format) {
        case FORMAT_3DC_X:
        case FORMAT_3DC_XY:
            return 4;
        case FORMAT_ATC:
        case FORMAT_ETC1_RGB8:
            return alpha ? 4 : 3;
        default:
            return 0;
    }
}
