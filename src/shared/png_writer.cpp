// SaveImagePNG: a format-1 record as a PNG picture, for viewing.
#include "message.h"
#include "picture_library.h"
#include "rgba_image.h"
#include "safe_file.h"

namespace {

// PNG stores its width and height as 31-bit numbers.
constexpr uint32_t kLargestPNGSide = 0x7FFFFFFF;

}  // namespace

bool SaveImagePNG(const char* path, const TextureImage* image, char* message) {
    if (path == nullptr || !HoldsRGBAPicture(image, kLargestPNGSide)) {
        SetMessage(message,
                   "SaveImagePNG: Writing output file failed (make sure you are saving out an "
                   "uncompressed image).");
        return false;
    }
    SafeFile file;
    if (!file.Open(path)) {
        SetMessage(message, "SaveImagePNG: File could not be opened for writing.");
        return false;
    }
    if (!WritePicturePNG(file.Stream(), image->pData, image->nWidth, image->nHeight) ||
        !file.Commit()) {
        SetMessage(message, "SaveImagePNG: Writing output file failed.");
        return false;
    }
    return true;
}
