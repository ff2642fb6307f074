// ValidateDDSImage and LoadImageDDS: checking a DDS file of the program's own
// dialect and reading its top level.
#include <algorithm>
#include <cstdlib>

#include "byte_order.h"
#include "container_layout.h"
#include "dds_format.h"
#include "input_file.h"
#include "message.h"

namespace {

constexpr const char* kCorrupted =
    "LoadImageDDS: File could not be opened for reading (possibly corrupted?).";
constexpr size_t kPrefixSize = kDDSMagicSize + kDDSHeaderSize;

bool IsAcceptablePrefix(const uint8_t* prefix) {
    return LoadLittleEndian32(prefix) == kDDSMagic &&
           FourCCToFormat(LoadLittleEndian32(prefix + kDDSMagicSize + DDSPfFourCC), nullptr);
}

}  // namespace

bool ValidateDDSImage(const char* path, uint32_t* levelCount, char* message) {
    InputFile file;
    if (!file.Open(path)) {
        SetMessage(message, "ValidateDDSImage: File could not be opened for reading.");
        return false;
    }
    uint8_t prefix[kPrefixSize] = {};
    file.ReadAt(0, prefix, sizeof(prefix));
    if (!IsAcceptablePrefix(prefix)) {
        SetMessage(message, "ValidateDDSImage: Invalid DDS file format.");
        return false;
    }
    if (levelCount != nullptr) {
        *levelCount = LoadLittleEndian32(prefix + kDDSMagicSize + DDSMipMapCount);
    }
    return true;
}

// Only the top level is read: the file states the size of no other level.
bool LoadImageDDS(const char* path, TextureImage* image, bool, char* message) {
    if (!ValidateDDSImage(path, nullptr, message)) {
        return false;
    }
    InputFile file;
    uint8_t prefix[kPrefixSize] = {};
    if (image == nullptr || !file.Open(path) || file.Length() <= kPrefixSize ||
        file.ReadAt(0, prefix, sizeof(prefix)) != sizeof(prefix) || !IsAcceptablePrefix(prefix)) {
        SetMessage(message, kCorrupted);
        return false;
    }
    const uint8_t* header = prefix + kDDSMagicSize;
    uint32_t format = 0;
    FourCCToFormat(LoadLittleEndian32(header + DDSPfFourCC), &format);
    const uint32_t width = std::max(LoadLittleEndian32(header + DDSWidth), uint32_t(1));
    const uint32_t height = std::max(LoadLittleEndian32(header + DDSHeight), uint32_t(1));
    const uint32_t dataSize = LoadLittleEndian32(header + DDSPitchOrLinearSize);
    uint64_t needed = 0;
    if (!LevelByteCount(format, width, height, &needed) || dataSize < needed ||
        dataSize > file.Length() - kPrefixSize) {
        SetMessage(message, kCorrupted);
        return false;
    }
    auto* data = static_cast<uint8_t*>(std::malloc(dataSize));
    if (data == nullptr || file.ReadAt(kPrefixSize, data, dataSize) != dataSize) {
        std::free(data);
        SetMessage(message, kCorrupted);
        return false;
    }
    std::free(image->pData);
    image->pData = data;
    image->nDataSize = dataSize;
    image->nFormat = format;
    image->nWidth = width;
    image->nHeight = height;
    return true;
}
