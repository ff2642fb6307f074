// SaveImageTGA: a format-1 record as a TGA picture, for viewing.
#include "message.h"
#include "picture_library.h"
#include "safe_file.h"

namespace {

// TGA stores its width and height in 16 bits.
constexpr uint32_t kLargestTGASide = 0xFFFF;

bool IsSavable(const TextureImage* image) {
    return image != nullptr && image->nFormat == 1 && image->pData != nullptr &&
           image->nWidth > 0 && image->nHeight > 0 && image->nWidth <= kLargestTGASide &&
           image->nHeight <= kLargestTGASide &&
           uint64_t(image->nDataSize) >= uint64_t(image->nWidth) * image->nHeight * 4;
}

}  // namespace

bool SaveImageTGA(const char* path, const TextureImage* image, char* message) {
    if (path == nullptr || !IsSavable(image)) {
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
