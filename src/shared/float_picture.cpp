// Float pictures brought to format 1 through the engine's float sources, a
// strip of rows at a time.
#include "float_picture.h"

#include <algorithm>
#include <memory>
#include <new>

#include "morlune.h"

namespace {

// Pixels per engine call. Every output pixel depends on its own source pixel
// alone, so the picture is converted a strip of rows at a time and the
// working buffers stay this small whatever the picture's size.
constexpr uint64_t kStripPixels = 65536;

uint32_t FloatFormat(uint32_t channels) {
    switch (channels) {
        case 1:
            return L32F;
        case 3:
            return RGB32F;
        default:
            return RGBA32F;
    }
}

}  // namespace

FloatPictureResult ConvertFloatPicture(const Picture& picture, uint8_t* rgba) {
    const uint64_t width = picture.width;
    const uint64_t rowBytes = width * picture.floatChannels * sizeof(float);
    if (rowBytes > UINT32_MAX) {
        return FloatPictureResult::TooLarge;
    }
    const uint32_t stripRows = uint32_t(
        std::clamp<uint64_t>(kStripPixels / std::max<uint64_t>(width, 1), 1, picture.height));
    // A strip is one row or at most kStripPixels pixels: its bytes fit nDataSize.
    const uint64_t stripValues = uint64_t(stripRows) * width * picture.floatChannels;
    std::unique_ptr<float[]> values(new (std::nothrow) float[stripValues]);
    if (!values) {
        return FloatPictureResult::Failed;
    }
    for (uint32_t row = 0; row < picture.height; row += stripRows) {
        const uint32_t rows = std::min(stripRows, picture.height - row);
        CopyPictureFloatRows(picture, row, rows, values.get());
        TextureImage source{picture.width,
                            rows,
                            FloatFormat(picture.floatChannels),
                            nullptr,
                            uint32_t(rowBytes * rows),
                            reinterpret_cast<uint8_t*>(values.get())};
        TextureImage destination{picture.width,
                                 rows,
                                 RGBA8888,
                                 nullptr,
                                 uint32_t(width * rows * 4),
                                 rgba + uint64_t(row) * width * 4};
        if (MorluneConvert(&source, &destination) != 0) {
            return FloatPictureResult::Failed;
        }
    }
    return FloatPictureResult::Converted;
}
