#include "load_as_image.h"

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "shared.h"

void CheckLoadImage(const char* path, bool silentFailureAllowed) {
    TextureImage* image = CreateTextureImage();
    FUZZ_CHECK(image != nullptr);
    char message[kMessageBufferSize] = {};
    if (LoadImage(path, image, message)) {
        FUZZ_CHECK(image->nFormat == 1);
        FUZZ_CHECK(uint64_t(image->nWidth) * image->nHeight * 4 == image->nDataSize);
        FUZZ_CHECK(image->pData != nullptr);
    } else if (message[0] != '\0' || !silentFailureAllowed) {
        CheckFailureMessage(message, sizeof(message), {"LoadImage"});
    }
    FreeTextureImage(image);
}
