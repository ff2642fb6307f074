// The texts and sizes that the KTX and DDS describers are made of, and the
// format names that they and VostrelInspect show.
#include "description_pieces.h"

#include <cstdarg>
#include <cstdio>

#include "container_description.h"
#include "container_layout.h"
#include "shared.h"

std::string FormatText(const char* format, ...) {
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof(text), format, arguments);
    va_end(arguments);
    return text;
}

std::string HexWord(uint32_t value, int digits) { return FormatText("0x%0*X", digits, value); }

std::string HexBytes(const uint8_t* bytes, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        text += FormatText(i == 0 ? "%02X" : " %02X", bytes[i]);
    }
    return text;
}

std::string ContainerFormatName(uint32_t format) {
    for (uint32_t i = 0; i < GetCompressionTypeCount(); ++i) {
        uint32_t code = 0;
        if (ParseCompressionType(GetCompressionTypeName(i), &code) && code == format) {
            return GetCompressionTypeName(i);
        }
    }
    return format == 1 ? "RGBA8888" : FormatText("format %u", format);
}

uint64_t SaturatedProduct(uint64_t a, uint64_t b) {
    return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}

bool SaturatedLevelBytes(uint32_t format, uint32_t width, uint32_t height, uint64_t planes,
                         uint64_t* bytes) {
    uint64_t planeBytes = 0;
    if (!LevelByteCount(format, width, height, &planeBytes)) {
        return false;
    }
    *bytes = SaturatedProduct(planeBytes, planes);
    return true;
}
