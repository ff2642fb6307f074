// CreateTextureImage and FreeTextureImage: a record is made with a zeroed
// layout block, and freed with its block and its data.
#include <cstdlib>
#include <new>

#include "shared.h"

TextureImage* CreateTextureImage() {
    auto* image = new (std::nothrow) TextureImage{};
    if (image == nullptr) {
        return nullptr;
    }
    image->pPixelLayout = new (std::nothrow) PixelLayout{};
    if (image->pPixelLayout == nullptr) {
        delete image;
        return nullptr;
    }
    return image;
}

void FreeTextureImage(TextureImage* image) {
    if (image == nullptr) {
        return;
    }
    delete image->pPixelLayout;
    std::free(image->pData);
    delete image;
}
