// SaveImageTGA: a format-1 record as a TGA picture, for viewing.
#include "message.h"
#include "picture_library.h"
#include "rgba_image.h"
#include "safe_file.h"

namespace {

// TGA stores its width and height in 16 bits.
constexpr uint32_t kLargestTGASide = 0xFFFF;

}  // namespace

bool SaveImageTGA(const char* path, const TextureImage* image, char* message) {
    if (path == nullptr || !HoldsRGBAPicture(image, kLargestTGASide)) {
        SetMessage(message,
                   "SaveImageTGA: Writing output file failed (make sure you are saving out an "
                   "uncompressed image).");
        return false;
    }
    SafeFile file;
    if (!file.Open(path)) {
        SetMessage(message, "SaveImageTGA: File could not be opened for writing.");
        return false;
    }
    if (!WritePictureTGA(file.Stream(), image->pData, image->nWidth, image->nHeight) ||
        !file.Commit()) {
        SetMessage(message, "SaveImageTGA: Writing output file failed.");
        return false;
    }
    return true;
}
