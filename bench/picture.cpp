#include "picture.h"

#include <FreeImage.h>

namespace {

struct FreeImageSession {
    FreeImageSession() { FreeImage_Initialise(FALSE); }
    ~FreeImageSession() { FreeImage_DeInitialise(); }
};

void EnsureFreeImage() { static FreeImageSession session; }

}  // namespace

bool LoadPicture(const std::string& path, Picture* picture, std::string* error) {
    EnsureFreeImage();
    FREE_IMAGE_FORMAT fif = FreeImage_GetFileType(path.c_str(), 0);
    if (fif == FIF_UNKNOWN) {
        fif = FreeImage_GetFIFFromFilename(path.c_str());
    }
    if (fif == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(fif)) {
        *error = "unknown picture format";
        return false;
    }
    FIBITMAP* loaded = FreeImage_Load(fif, path.c_str(), 0);
    if (loaded == nullptr) {
        *error = "unreadable picture";
        return false;
    }
    FIBITMAP* bitmap = FreeImage_ConvertTo32Bits(loaded);
    FreeImage_Unload(loaded);
    if (bitmap == nullptr) {
        *error = "cannot convert the picture to 32 bits";
        return false;
    }
    picture->width = FreeImage_GetWidth(bitmap);
    picture->height = FreeImage_GetHeight(bitmap);
    const size_t pixels = size_t(picture->width) * picture->height;
    std::vector<uint8_t> bgra(pixels * 4);
    FreeImage_ConvertToRawBits(bgra.data(), bitmap, int(picture->width * 4), 32, FI_RGBA_RED_MASK,
                               FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE);
    FreeImage_Unload(bitmap);
    picture->rgba.resize(pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        picture->rgba[4 * i + 0] = bgra[4 * i + FI_RGBA_RED];
        picture->rgba[4 * i + 1] = bgra[4 * i + FI_RGBA_GREEN];
        picture->rgba[4 * i + 2] = bgra[4 * i + FI_RGBA_BLUE];
        picture->rgba[4 * i + 3] = bgra[4 * i + FI_RGBA_ALPHA];
    }
    return true;
}

bool SavePicturePng(const std::string& path, const Picture& picture) {
    EnsureFreeImage();
    const size_t pixels = size_t(picture.width) * picture.height;
    std::vector<uint8_t> bgra(pixels * 4);
    for (size_t i = 0; i < pixels; ++i) {
        bgra[4 * i + FI_RGBA_RED] = picture.rgba[4 * i + 0];
        bgra[4 * i + FI_RGBA_GREEN] = picture.rgba[4 * i + 1];
        bgra[4 * i + FI_RGBA_BLUE] = picture.rgba[4 * i + 2];
        bgra[4 * i + FI_RGBA_ALPHA] = picture.rgba[4 * i + 3];
    }
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(
        bgra.data(), int(picture.width), int(picture.height), int(picture.width * 4), 32,
        FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, TRUE);
    if (bitmap == nullptr) {
        return false;
    }
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), 0) != 0;
    FreeImage_Unload(bitmap);
    return saved;
}

std::vector<uint8_t> PackRgb(const Picture& picture) {
    const size_t pixels = size_t(picture.width) * picture.height;
    std::vector<uint8_t> rgb(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        rgb[3 * i + 0] = picture.rgba[4 * i + 0];
        rgb[3 * i + 1] = picture.rgba[4 * i + 1];
        rgb[3 * i + 2] = picture.rgba[4 * i + 2];
    }
    return rgb;
}
