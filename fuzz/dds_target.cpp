// The DDS reader on the fuzzer's bytes as a file: ValidateDDSImage,
// LoadImageDDS with and without the first-level-only flag, and LoadImage,
// which tries the own reader on .dds files before the picture library.
#include <cstdlib>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "scratch_dir.h"
#include "shared.h"

namespace {

bool LoadTopLevel(const char* path, bool firstLevelOnly) {
    PixelLayout layout{};
    TextureImage image{};
    image.pPixelLayout = &layout;
    char message[MESSAGE_BUFFER_SIZE] = {};
    const bool loaded = LoadImageDDS(path, &image, firstLevelOnly, message);
    if (loaded) {
        FUZZ_CHECK(image.nWidth > 0 && image.nHeight > 0);
        FUZZ_CHECK(image.pData != nullptr);
        FUZZ_CHECK(IsSupportedFormat(image.nFormat));
    } else {
        CheckFailureMessage(message, sizeof(message), {"ValidateDDSImage", "LoadImageDDS"});
    }
    FUZZ_CHECK(image.pPixelLayout == &layout);
    std::free(image.pData);
    return loaded;
}

void LoadAsImage(const char* path) {
    TextureImage* image = CreateTextureImage();
    FUZZ_CHECK(image != nullptr);
    char message[MESSAGE_BUFFER_SIZE] = {};
    if (LoadImage(path, image, message)) {
        FUZZ_CHECK(image->nFormat == 1);
        FUZZ_CHECK(uint64_t(image->nWidth) * image->nHeight * 4 == image->nDataSize);
        FUZZ_CHECK(image->pData != nullptr);
    } else if (message[0] != '\0') {
        // A file that the bitmap library cannot bring to 32 bits fails
        // without a message.
        CheckFailureMessage(message, sizeof(message), {"LoadImage"});
    }
    FreeTextureImage(image);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteScratchFile("input.dds", data, size);

    uint32_t levelCount = 0;
    char message[MESSAGE_BUFFER_SIZE] = {};
    if (!ValidateDDSImage(path.c_str(), &levelCount, message)) {
        CheckFailureMessage(message, sizeof(message), {"ValidateDDSImage"});
    }
    LoadTopLevel(path.c_str(), true);
    LoadTopLevel(path.c_str(), false);
    LoadAsImage(path.c_str());
    return 0;
}
