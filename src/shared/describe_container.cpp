// DescribeContainerFile and SniffContainer, and the pieces that the two
// container descriptions share.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "container_layout.h"
#include "dds_format.h"
#include "description_parts.h"
#include "ktx_format.h"
#include "little_endian.h"
#include "message.h"
#include "shared.h"

namespace {

ContainerKind SniffOpenFile(InputFile& file) {
    uint8_t start[4] = {};
    if (file.ReadAt(0, start, sizeof(start)) != sizeof(start)) {
        return ContainerKind::Unknown;
    }
    if (std::memcmp(start, kKTXIdentifier, sizeof(start)) == 0) {
        return ContainerKind::KTX;
    }
    return ReadLittleEndian32(start) == kDDSMagic ? ContainerKind::DDS : ContainerKind::Unknown;
}

}  // namespace

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

ContainerKind SniffContainer(const char* path) {
    InputFile file;
    return file.Open(path) ? SniffOpenFile(file) : ContainerKind::Unknown;
}

bool DescribeContainerFile(const char* path, ContainerDescription* description, char* message) {
    InputFile file;
    if (description == nullptr || !file.Open(path)) {
        SetMessage(message, "DescribeContainerFile: File could not be opened for reading.");
        return false;
    }
    *description = ContainerDescription{};
    description->fileSize = file.Length();
    switch (SniffOpenFile(file)) {
        case ContainerKind::KTX:
            DescribeKTX(file, description);
            break;
        case ContainerKind::DDS:
            DescribeDDS(file, description);
            break;
        case ContainerKind::Unknown:
            break;
    }
    return true;
}
