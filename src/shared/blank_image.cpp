// LoadBlankImage: an opaque white format-1 image of a given size.
#include <cstring>

#include "message.h"
#include "rgba_image.h"

bool LoadBlankImage(TextureImage* image, uint32_t width, uint32_t height, char* message) {
    const uint64_t dataSize = uint64_t(width) * height * 4;
    if (image == nullptr || dataSize > UINT32_MAX) {
        SetMessage(message, "LoadBlankImage: Out of memory.");
        return false;
    }
    uint8_t* data = InstallRGBAImage(image, width, height);
    if (data == nullptr) {
        SetMessage(message, "LoadBlankImage: Out of memory.");
        return false;
    }
    std::memset(data, 0xFF, dataSize);
    return true;
}
