// LoadBlankImage: an opaque white format-1 image of a given size.
#include <cstdlib>
#include <cstring>

#include "message.h"

bool LoadBlankImage(TextureImage* image, uint32_t width, uint32_t height, char* message) {
    const uint64_t dataSize = uint64_t(width) * height * 4;
    if (image == nullptr || dataSize > UINT32_MAX) {
        SetMessage(message, "LoadBlankImage: Out of memory.");
        return false;
    }
    std::free(image->pData);
    image->pData = nullptr;
    image->nDataSize = 0;
    auto* data = static_cast<uint8_t*>(std::malloc(dataSize == 0 ? 1 : dataSize));
    if (data == nullptr) {
        SetMessage(message, "LoadBlankImage: Out of memory.");
        return false;
    }
    std::memset(data, 0xFF, dataSize);
    image->nFormat = 1;
    image->nWidth = width;
    image->nHeight = height;
    image->nDataSize = uint32_t(dataSize);
    image->pData = data;
    return true;
}
