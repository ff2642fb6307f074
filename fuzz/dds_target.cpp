// The DDS reader on the fuzzer's bytes as a file: ValidateDDSImage,
// LoadImageDDS with and without the first-level-only flag, and LoadImage,
// which tries the own reader on .dds files before the picture library.
#include <cstdlib>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "load_as_image.h"
#include "scratch_dir.h"
#include "shared.h"

namespace {

bool LoadTopLevel(const char* path, bool firstLevelOnly) {
    PixelLayout layout{};
    TextureImage image{};
    image.pPixelLayout = &layout;
    char message[kMessageBufferSize] = {};
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteScratchFile("input.dds", data, size);

    uint32_t levelCount = 0;
    char message[kMessageBufferSize] = {};
    if (!ValidateDDSImage(path.c_str(), &levelCount, message)) {
        CheckFailureMessage(message, sizeof(message), {"ValidateDDSImage"});
    }
    LoadTopLevel(path.c_str(), true);
    LoadTopLevel(path.c_str(), false);
    CheckLoadImage(path.c_str(), true);
    return 0;
}
