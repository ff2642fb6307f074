// The six compression types of the command line and the container codes of
// every format that the KTX and DDS files carry.
#include <strings.h>

#include <iterator>

#include "shared.h"

namespace {

struct CompressionType {
    const char* printedName;
    const char* acceptedNames[2];
    uint32_t format;
};

// The usage list prints "ATC RGBA Interpolated"; existing workspace files
// say "ATC RGB Interpolated". Both are accepted.
constexpr CompressionType kCompressionTypes[] = {
    {"ATC RGB", {"ATC RGB", nullptr}, 23},
    {"ATC RGBA Explicit", {"ATC RGBA Explicit", nullptr}, 22},
    {"ATC RGBA Interpolated", {"ATC RGB Interpolated", "ATC RGBA Interpolated"}, 24},
    {"ETC1 RGB8", {"ETC1 RGB8", nullptr}, 25},
    {"3DC X", {"3DC X", nullptr}, 26},
    {"3DC XY", {"3DC XY", nullptr}, 27},
};

constexpr uint32_t FourCC(char a, char b, char c, char d) {
    return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
           uint32_t(uint8_t(d)) << 24;
}

struct ContainerCode {
    uint32_t format;
    uint32_t glInternalFormat;
    uint32_t fourCC;
};

constexpr ContainerCode kContainerCodes[] = {
    {1, 0x1908, FourCC('U', 'N', 'C', ' ')},  {22, 0x8C93, FourCC('A', 'T', 'C', 'I')},
    {23, 0x8C92, FourCC('A', 'T', 'C', ' ')}, {24, 0x87EE, FourCC('A', 'T', 'C', 'A')},
    {25, 0x8D64, FourCC('E', 'T', 'C', '1')}, {26, 0x87F9, FourCC('3', 'D', 'C', '1')},
    {27, 0x87FA, FourCC('3', 'D', 'C', '2')},
};

bool Lookup(uint32_t ContainerCode::*key, uint32_t ContainerCode::*value, uint32_t wanted,
            uint32_t* out) {
    for (const ContainerCode& code : kContainerCodes) {
        if (code.*key == wanted) {
            if (out != nullptr) {
                *out = code.*value;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

uint32_t GetCompressionTypeCount() { return uint32_t(std::size(kCompressionTypes)); }

const char* GetCompressionTypeName(uint32_t index) {
    return index < std::size(kCompressionTypes) ? kCompressionTypes[index].printedName : nullptr;
}

bool ParseCompressionType(const char* name, uint32_t* format) {
    if (name == nullptr) {
        return false;
    }
    for (const CompressionType& type : kCompressionTypes) {
        for (const char* accepted : type.acceptedNames) {
            if (accepted != nullptr && strcasecmp(name, accepted) == 0) {
                if (format != nullptr) {
                    *format = type.format;
                }
                return true;
            }
        }
    }
    return false;
}

bool FormatToGLInternalFormat(uint32_t format, uint32_t* glInternalFormat) {
    return Lookup(&ContainerCode::format, &ContainerCode::glInternalFormat, format,
                  glInternalFormat);
}

bool GLInternalFormatToFormat(uint32_t glInternalFormat, uint32_t* format) {
    return Lookup(&ContainerCode::glInternalFormat, &ContainerCode::format, glInternalFormat,
                  format);
}

bool FormatToFourCC(uint32_t format, uint32_t* fourCC) {
    return Lookup(&ContainerCode::format, &ContainerCode::fourCC, format, fourCC);
}

bool FourCCToFormat(uint32_t fourCC, uint32_t* format) {
    return Lookup(&ContainerCode::fourCC, &ContainerCode::format, fourCC, format);
}

bool IsSupportedFormat(uint32_t format) { return FormatToFourCC(format, nullptr); }

uint32_t CountMipLevels(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    while (width > 1 || height > 1) {
        ++levels;
        width >>= 1;
        height >>= 1;
    }
    return levels;
}
