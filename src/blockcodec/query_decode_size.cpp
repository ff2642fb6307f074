// QuendaQueryDecodeBufferSize: the checks in their order, then width x
// height x the format's pixel size, in 64 bits.
#include "format_facts.h"
#include "quenda.h"

int32_t QuendaQueryDecodeBufferSize(int32_t width, int32_t height, uint32_t format, int32_t alpha,
                                    uint32_t* size) {
    if (size == nullptr) {
        return RESULT_BAD_ARGUMENT;
    }
    *size = 0;
    const uint32_t pixelBytes = QueryPixelBytes(format, alpha != 0);
    if (pixelBytes == 0) {
        return RESULT_UNKNOWN_FORMAT;
    }
    if (width < 0 || height < 0) {
        return RESULT_BAD_ARGUMENT;
    }
    const uint64_t needed =
        static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * pixelBytes;
    if (needed > UINT32_MAX) {
        return RESULT_BAD_ARGUMENT;
    }
    *size = static_cast<uint32_t>(needed);
    return RESULT_OK;
}
