// The driver that hands records to the conversion engine: Compress and
// Decompress convert one record into another, a size query first, then the
// conversion into a buffer of exactly that size; CompressMipChain makes
// level 0 from the source and every further level from the level before it,
// each at the level size of the given level-0 size.
#include <cstdlib>

#include "container_layout.h"
#include "message.h"
#include "morlune.h"

namespace {

constexpr const char* kCompressRefused =
    "Compress: Make sure that both input and output textures have a supported compression.";

struct DriverMessages {
    const char* firstPass;
    const char* outOfMemory;
    const char* secondPass;
};

constexpr DriverMessages kCompressMessages = {
    "Compress: Error Occurred in Morlune library, possibly due to unsupported conversion options.",
    "Compress: Out of memory.",
    "Compress: Error occurred in second pass through Morlune library, panic!",
};

constexpr DriverMessages kDecompressMessages = {
    "Decompress: Error Occurred in Morlune library, possibly due to unsupported conversion "
    "options.",
    "Decompress: Out of memory.",
    "Decompress: Error occurred in second pass through Morlune library, panic!",
};

bool Convert(const TextureImage* source, TextureImage* destination, uint32_t format, uint32_t width,
             uint32_t height, const DriverMessages& messages, char* message) {
    std::free(destination->pData);
    destination->pData = nullptr;
    destination->nDataSize = 0;
    destination->nWidth = width;
    destination->nHeight = height;
    destination->nFormat = format;
    if (MorluneConvert(source, destination) != 0 || destination->nDataSize == 0) {
        SetMessage(message, messages.firstPass);
        return false;
    }
    destination->pData = static_cast<uint8_t*>(std::malloc(destination->nDataSize));
    if (destination->pData == nullptr) {
        destination->nDataSize = 0;
        SetMessage(message, messages.outOfMemory);
        return false;
    }
    if (MorluneConvert(source, destination) != 0) {
        SetMessage(message, messages.secondPass);
        return false;
    }
    return true;
}

}  // namespace

bool Compress(const TextureImage* source, TextureImage* destination, uint32_t format,
              uint32_t width, uint32_t height, char* message) {
    if (source == nullptr || destination == nullptr || !IsSupportedFormat(format)) {
        SetMessage(message, kCompressRefused);
        return false;
    }
    return Convert(source, destination, format, width, height, kCompressMessages, message);
}

bool Decompress(const TextureImage* source, TextureImage* destination, uint32_t width,
                uint32_t height, char* message) {
    if (source == nullptr || destination == nullptr || !IsSupportedFormat(source->nFormat)) {
        SetMessage(message,
                   "Decompress: Make sure that input texture is a supported compression format.");
        return false;
    }
    return Convert(source, destination, 1, width, height, kDecompressMessages, message);
}

bool CompressMipChain(const TextureImage* source, TextureImage** levels, uint32_t format,
                      uint32_t width, uint32_t height, uint32_t levelCount, char* message,
                      LevelStartFunction onLevelStart, void* context) {
    if (levelCount > 0 && levels == nullptr) {
        SetMessage(message, kCompressRefused);
        return false;
    }
    for (uint32_t i = 0; i < levelCount; ++i) {
        if (onLevelStart != nullptr) {
            onLevelStart(context, i, levelCount);
        }
        const TextureImage* from = i == 0 ? source : levels[i - 1];
        if (!Compress(from, levels[i], format, LevelDimension(width, i), LevelDimension(height, i),
                      message)) {
            return false;
        }
    }
    return true;
}
