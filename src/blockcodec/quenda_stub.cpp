#include "quenda.h"

int32_t QuendaEncode(const uint8_t*, uint32_t, uint32_t, uint32_t, uint32_t, int32_t, int32_t,
                     int32_t, uint32_t, uint32_t, uint8_t*, uint32_t*) {
    return RESULT_UNKNOWN_FORMAT;
}

int32_t QuendaDecode(uint32_t, uint32_t, uint32_t, uint32_t, const uint8_t*, int32_t, uint32_t,
                     uint8_t*, uint32_t) {
    return RESULT_UNKNOWN_FORMAT;
}

int32_t QuendaQueryDecodeBufferSize(int32_t, int32_t, uint32_t, int32_t, uint32_t* size) {
    if (size != nullptr) {
        *size = 0;
    }
    return RESULT_UNKNOWN_FORMAT;
}
