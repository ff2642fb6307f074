// LoadImage: any input file as one format-1 record, through the picture
// library or, for KTX and DDS textures, through the containers and the
// conversion engine.
#include "container_loading.h"
#include "foreign_dds.h"
#include "message.h"
#include "picture_library.h"
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
    CopyPictureRGBA(picture, data);
    return true;
}

}  // namespace

bool LoadImage(const char* path, TextureImage* image, char* message) {
    if (path == nullptr || image == nullptr) {
        SetMessage(message, "LoadImage: Unknown Format.");
        return false;
    }
    const PictureKind kind = GuessPictureKind(path);
    if (kind == PictureKind::Unknown) {
        if (LoadKTXAsRGBA(path, image)) {
            return true;
        }
        SetMessage(message, "LoadImage: Unknown Format.");
        return false;
    }
    if (kind == PictureKind::DDS) {
        if (LoadDDSAsRGBA(path, image)) {
            return true;
        }
        if (!ForeignDDSHoldsItsTopLevel(path)) {
            SetMessage(message, "LoadImage: Image not supported by FreeImage.");
            return false;
        }
    }
    Picture picture;
    switch (LoadPicture(path, &picture)) {
        case PictureLoadResult::Unreadable:
            SetMessage(message, "LoadImage: Image not supported by FreeImage.");
            return false;
        case PictureLoadResult::NotConvertible:
            return false;
        case PictureLoadResult::Loaded:
            break;
    }
    const bool stored = StorePicture(picture, image, message);
    ReleasePicture(&picture);
    return stored;
}
