// Blank pictures of a size that can be written, and writing one as PNG
// through SaveImagePNG.
#include "picture.h"

#include "failure.h"
#include "shared.h"

namespace {

constexpr uint64_t kLargestSide = 0x7FFFFFFF;
constexpr uint64_t kLargestBytes = UINT32_MAX;

}  // namespace

RGBAPicture BlankPicture(uint64_t width, uint64_t height, const std::string& file) {
    if (width > kLargestSide || height > kLargestSide || width * height * 4 > kLargestBytes) {
        throw Failure(file, "a picture of " + std::to_string(width) + " x " +
                                std::to_string(height) + " pixels is too large to write");
    }
    RGBAPicture picture;
    picture.width = uint32_t(width);
    picture.height = uint32_t(height);
    picture.pixels.assign(width * height * 4, 0);
    return picture;
}

void WritePNG(const RGBAPicture& picture, const std::string& path) {
    PixelLayout layout{};
    TextureImage image{};
    image.nWidth = picture.width;
    image.nHeight = picture.height;
    image.nFormat = 1;
    image.pPixelLayout = &layout;
    image.nDataSize = uint32_t(picture.pixels.size());
    image.pData = const_cast<uint8_t*>(picture.pixels.data());
    char message[kMessageBufferSize] = {};
    if (!SaveImagePNG(path.c_str(), &image, message)) {
        throw Failure(path, message);
    }
}
