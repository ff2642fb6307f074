// What a KTX or DDS file holds, field by field, and where it departs from its
// format, found without decoding anything, for tools that show a file to a
// person. Hostile files are described as far as they go: every size is
// checked against the file's length in 64-bit arithmetic, and nothing is
// allocated from a header value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class ContainerKind { Unknown, KTX, DDS };

// The name that the tool gives one of the container formats: "ETC1 RGB8",
// "RGBA8888" for format 1.
std::string ContainerFormatName(uint32_t format);

// The container that a file's first bytes name: the KTX identifier's first
// four bytes or the DDS magic. Unknown also for a file that cannot be read.
ContainerKind SniffContainer(const char* path);

// One header field as the file holds it.
struct ContainerField {
    std::string name;      // "glInternalFormat", "dwFourCC"
    uint64_t offset = 0;   // from the start of the file
    uint32_t size = 4;     // bytes
    bool present = false;  // false when the file ends before the field does
    bool numeric = true;   // a 32-bit number; otherwise shown as its bytes
    uint32_t value = 0;    // the number, in the file's byte order
    std::string text;      // the value as shown: "0x8D64", "256", "AB 4B 54 58 ..."
    std::string meaning;   // "ETC1 RGB8", "little-endian", "" when there is nothing to add
};

// One entry of a KTX file's key/value data.
struct ContainerKeyValue {
    uint64_t offset = 0;         // of the entry's keyAndValueByteSize
    std::string key;             // the bytes before the first NUL, as they are
    std::vector<uint8_t> value;  // the bytes after that NUL, its own final NUL included
};

// One mip level as the header states it and the file holds it.
struct ContainerLevel {
    uint32_t index = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint64_t offset = 0;        // KTX: of the level's imageSize; DDS: of its data
    bool hasImageSize = false;  // KTX levels state their size; DDS levels do not
    uint32_t imageSize = 0;
    bool hasExpectedSize = false;  // false when the format is not one the tool knows
    uint64_t expectedSize = 0;     // bytes that the format needs at this size
    bool complete = false;         // the file holds every byte of the level
};

struct ContainerDescription {
    ContainerKind kind = ContainerKind::Unknown;
    std::string standard;  // what the file is checked against: "KTX 1.1", ...
    uint64_t fileSize = 0;
    uint32_t format = 0;  // the engine's format code; 0 when the file names none the tool knows
    std::vector<ContainerField> fields;
    std::vector<ContainerKeyValue> keyValues;
    std::vector<ContainerLevel> levels;
    // Each way in which the file departs from the standard, one sentence each.
    std::vector<std::string> deviations;
    // Facts worth knowing that are no departure: byte order, 1-D or cube
    // textures, parts not examined.
    std::vector<std::string> notes;

    bool Conforms() const { return deviations.empty(); }
};

// Describes the file at path. False, with "DescribeContainerFile: File could
// not be opened for reading." in the message buffer (which may be null), when
// the file cannot be read; a file that is neither KTX nor DDS is described as
// kind Unknown with its size alone.
bool DescribeContainerFile(const char* path, ContainerDescription* description, char* message);
