// Format-1 records: a fresh buffer installed in one, and the check that one
// holds a whole picture.
#include "rgba_image.h"

#include <cstdlib>

uint8_t* InstallRGBAImage(TextureImage* image, uint32_t width, uint32_t height) {
    const uint64_t dataSize = uint64_t(width) * height * 4;
    std::free(image->pData);
    image->pData = nullptr;
    image->nDataSize = 0;
    auto* data = static_cast<uint8_t*>(std::malloc(dataSize == 0 ? 1 : dataSize));
    if (data == nullptr) {
        return nullptr;
    }
    image->nFormat = 1;
    image->nWidth = width;
    image->nHeight = height;
    image->nDataSize = uint32_t(dataSize);
    image->pData = data;
    return data;
}

bool HoldsRGBAPicture(const TextureImage* image, uint32_t largestSide) {
    return image != nullptr && image->nFormat == 1 && image->pData != nullptr &&
           image->nWidth > 0 && image->nHeight > 0 && image->nWidth <= largestSide &&
           image->nHeight <= largestSide &&
           uint64_t(image->nDataSize) >= uint64_t(image->nWidth) * image->nHeight * 4;
}
