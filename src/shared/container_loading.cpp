// The top level of a KTX or DDS file read by the container's reader and
// decoded through the conversion engine into format 1.
#include "container_loading.h"

#include <cstdlib>

#include "morlune.h"

namespace {

using TopLevelReader = bool (*)(const char*, TextureImage*, bool, char*);

// Decodes source into destination at the source's size, as format 1.
bool DecodeToRGBA(const TextureImage& source, TextureImage* destination) {
    std::free(destination->pData);
    destination->pData = nullptr;
    destination->nDataSize = 0;
    destination->nWidth = source.nWidth;
    destination->nHeight = source.nHeight;
    destination->nFormat = 1;
    const uint64_t expected = uint64_t(source.nWidth) * source.nHeight * 4;
    if (MorluneConvert(&source, destination) != 0 || destination->nDataSize == 0 ||
        destination->nDataSize != expected) {
        destination->nDataSize = 0;
        return false;
    }
    destination->pData = static_cast<uint8_t*>(std::malloc(destination->nDataSize));
    if (destination->pData == nullptr) {
        destination->nDataSize = 0;
        return false;
    }
    return MorluneConvert(&source, destination) == 0;
}

bool LoadAsRGBA(TopLevelReader reader, const char* path, TextureImage* destination) {
    TextureImage* topLevel = CreateTextureImage();
    if (topLevel == nullptr) {
        return false;
    }
    const bool loaded = reader(path, topLevel, true, nullptr) && destination != nullptr &&
                        IsSupportedFormat(topLevel->nFormat) &&
                        DecodeToRGBA(*topLevel, destination);
    FreeTextureImage(topLevel);
    return loaded;
}

}  // namespace

bool LoadKTXAsRGBA(const char* path, TextureImage* destination) {
    return LoadAsRGBA(LoadImageKTX, path, destination);
}

bool LoadDDSAsRGBA(const char* path, TextureImage* destination) {
    return LoadAsRGBA(LoadImageDDS, path, destination);
}
