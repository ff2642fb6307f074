// Writing a failure message into a caller's buffer.
#pragma once

#include <cstdio>

#include "shared.h"

// Copies text into the caller's buffer, bounded to kMessageBufferSize
// bytes; a null buffer is left alone.
inline void SetMessage(char* buffer, const char* text) {
    if (buffer != nullptr) {
        std::snprintf(buffer, kMessageBufferSize, "%s", text);
    }
}
