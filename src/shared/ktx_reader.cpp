// ValidateKTXImage and LoadImageKTX: checking a KTX file's header and reading
// its levels into records.
#include <cstdlib>
#include <cstring>

#include "byte_order.h"
#include "container_layout.h"
#include "input_file.h"
#include "ktx_format.h"
#include "message.h"

namespace {

constexpr const char* kCorrupted =
    "LoadImageKTX: File could not be opened for reading (possibly corrupted?).";

// Identifier, byte order, a known format, and a plain 2-D texture: no array
// elements, one face, no depth.
bool IsAcceptableHeader(const uint8_t* header) {
    return std::memcmp(header, kKTXIdentifier, sizeof(kKTXIdentifier)) == 0 &&
           LoadLittleEndian32(header + KTXEndianness) == kKTXLittleEndian &&
           GLInternalFormatToFormat(LoadLittleEndian32(header + KTXGLInternalFormat), nullptr) &&
           LoadLittleEndian32(header + KTXNumberOfArrayElements) == 0 &&
           LoadLittleEndian32(header + KTXNumberOfFaces) <= 1 &&
           LoadLittleEndian32(header + KTXPixelDepth) == 0;
}

// Reads level `index` at *offset into image, after checking that the file
// holds all of it and that it holds at least what its format and size need.
bool ReadLevel(InputFile& file, uint64_t* offset, uint32_t format, uint32_t pixelWidth,
               uint32_t pixelHeight, uint32_t index, TextureImage* image) {
    const uint64_t remaining = file.Length() > *offset ? file.Length() - *offset : 0;
    uint8_t sizeField[4];
    if (remaining < sizeof(sizeField) ||
        file.ReadAt(*offset, sizeField, sizeof(sizeField)) != sizeof(sizeField)) {
        return false;
    }
    const uint32_t imageSize = LoadLittleEndian32(sizeField);
    const uint32_t width = LevelDimension(pixelWidth, index);
    const uint32_t height = LevelDimension(pixelHeight, index);
    uint64_t needed = 0;
    if (!LevelByteCount(format, width, height, &needed) || imageSize < needed ||
        imageSize > remaining - sizeof(sizeField)) {
        return false;
    }
    auto* data = static_cast<uint8_t*>(std::malloc(imageSize));
    if (data == nullptr || file.ReadAt(*offset + sizeof(sizeField), data, imageSize) != imageSize) {
        std::free(data);
        return false;
    }
    std::free(image->pData);
    image->pData = data;
    image->nDataSize = imageSize;
    image->nFormat = format;
    image->nWidth = width;
    image->nHeight = height;
    *offset += sizeof(sizeField) + uint64_t(imageSize);
    return true;
}

}  // namespace

bool ValidateKTXImage(const char* path, uint32_t* levelCount, char* message) {
    InputFile file;
    if (!file.Open(path)) {
        SetMessage(message, "ValidateKTXImage: File could not be opened for reading.");
        return false;
    }
    uint8_t header[kKTXHeaderSize] = {};
    file.ReadAt(0, header, sizeof(header));
    if (!IsAcceptableHeader(header)) {
        SetMessage(message, "ValidateKTXImage: Invalid KTX file format.");
        return false;
    }
    if (levelCount != nullptr) {
        *levelCount = LoadLittleEndian32(header + KTXNumberOfMipmapLevels);
    }
    return true;
}

bool LoadImageKTX(const char* path, TextureImage* levels, bool firstLevelOnly, char* message) {
    uint32_t announcedLevels = 0;
    if (!ValidateKTXImage(path, &announcedLevels, message)) {
        return false;
    }
    InputFile file;
    uint8_t header[kKTXHeaderSize] = {};
    if (!file.Open(path) || file.ReadAt(0, header, sizeof(header)) != sizeof(header) ||
        !IsAcceptableHeader(header)) {
        SetMessage(message, kCorrupted);
        return false;
    }
    const uint32_t levelsToRead = firstLevelOnly ? 1 : announcedLevels;
    if (levelsToRead == 0) {
        return true;
    }
    uint32_t format = 0;
    GLInternalFormatToFormat(LoadLittleEndian32(header + KTXGLInternalFormat), &format);
    const uint32_t pixelWidth = LoadLittleEndian32(header + KTXPixelWidth);
    const uint32_t pixelHeight = LoadLittleEndian32(header + KTXPixelHeight);
    if (levels == nullptr || pixelWidth == 0 || pixelHeight == 0) {
        SetMessage(message, kCorrupted);
        return false;
    }
    uint64_t offset =
        kKTXHeaderSize + uint64_t(LoadLittleEndian32(header + KTXBytesOfKeyValueData));
    for (uint32_t i = 0; i < levelsToRead; ++i) {
        if (!ReadLevel(file, &offset, format, pixelWidth, pixelHeight, i, &levels[i])) {
            SetMessage(message, kCorrupted);
            return false;
        }
    }
    return true;
}
