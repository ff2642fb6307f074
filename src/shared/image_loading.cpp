// LoadImage: any input file as one format-1 record, through the picture
// library or, for KTX and DDS textures, through the containers and the
// conversion engine.
#include "container_loading.h"
#include "float_picture.h"
#include "foreign_dds.h"
#include "message.h"
#include "picture_library.h"
#include "pixel_limit.h"
#include "rgba_image.h"

namespace {

// nDataSize is 32 bits wide.
constexpr uint64_t kLargestDataSize = UINT32_MAX;

bool StorePicture(const Picture& picture, TextureImage* image, char* message) {
    const uint64_t dataSize = uint64_t(picture.width) * picture.height * 4;
    if (dataSize > kLargestDataSize) {
        SetMessage(message, "LoadImage: Image too large.");
        return false;
    }
    uint8_t* data = InstallRGBAImage(image, picture.width, picture.height);
    if (data == nullptr) {
        SetMessage(message, "LoadImage: Out of memory.");
        return false;
    }
    if (picture.floatChannels == 0) {
        CopyPictureRGBA(picture, data);
        return true;
    }
    switch (ConvertFloatPicture(picture, data)) {
        case FloatPictureResult::Converted:
            return true;
        case FloatPictureResult::TooLarge:
            SetMessage(message, "LoadImage: Image too large.");
            return false;
        case FloatPictureResult::Failed:
            break;
    }
    SetMessage(message, "LoadImage: Out of memory.");
    return false;
}

// The picture's stated size, when it can be had without decoding a pixel.
bool StatedPixels(const char* path, uint64_t* pixels) {
    uint32_t width = 0;
    uint32_t height = 0;
    if (!ReadPictureSize(path, &width, &height)) {
        return false;
    }
    *pixels = uint64_t(width) * height;
    return true;
}

}  // namespace

bool LoadImage(const char* path, TextureImage* image, char* message) {
    if (path == nullptr || image == nullptr) {
        SetMessage(message, "LoadImage: Unknown Format.");
        return false;
    }
    // Read first whatever the file holds, so that a bad setting is reported
    // on every run that loads a picture.
    const uint64_t pixelLimit = PixelLimit();
    const PictureKind kind = GuessPictureKind(path);
    if (kind == PictureKind::Unknown) {
        if (LoadKTXAsRGBA(path, image)) {
            return true;
        }
        SetMessage(message, "LoadImage: Unknown Format.");
        return false;
    }
    uint64_t statedPixels = 0;
    bool stated = false;
    if (kind == PictureKind::DDS) {
        if (LoadDDSAsRGBA(path, image)) {
            return true;
        }
        if (!ForeignDDSHoldsItsTopLevel(path, &statedPixels)) {
            SetMessage(message, "LoadImage: Image not supported by FreeImage.");
            return false;
        }
        stated = true;
    } else {
        stated = StatedPixels(path, &statedPixels);
    }
    // Pictures bigger than the limit are refused before any pixel is decoded:
    // the library allocates the whole stated picture first. Where the size
    // cannot be read on its own, the picture is loaded as it stands.
    if (stated && statedPixels > pixelLimit) {
        SetMessage(message, "LoadImage: Image too large.");
        return false;
    }
    Picture picture;
    switch (LoadPicture(path, &picture)) {
        case PictureLoadResult::Unreadable:
            SetMessage(message, "LoadImage: Image not supported by FreeImage.");
            return false;
        case PictureLoadResult::NotConvertible:
            SetMessage(message, "LoadImage: Pixel type not supported.");
            return false;
        case PictureLoadResult::Loaded:
            break;
    }
    const bool stored = StorePicture(picture, image, message);
    ReleasePicture(&picture);
    return stored;
}
