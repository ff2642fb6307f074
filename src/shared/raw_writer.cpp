// SaveImageRAW: a record's data bytes as they are, without a header.
#include "message.h"
#include "safe_file.h"

bool SaveImageRAW(const char* path, const TextureImage* image, char* message) {
    constexpr const char* kFailed = "SaveImageRAW: Writing output file failed.";
    if (image == nullptr || (image->pData == nullptr && image->nDataSize != 0)) {
        SetMessage(message, kFailed);
        return false;
    }
    SafeFile file;
    if (!file.Open(path) || !file.Write(image->pData, image->nDataSize) || !file.Commit()) {
        SetMessage(message, kFailed);
        return false;
    }
    return true;
}
