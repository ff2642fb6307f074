// The KTX reader on the fuzzer's bytes as a file: ValidateKTXImage,
// LoadImageKTX for the first level only and for every level, and LoadImage,
// which recognises KTX files by content and decodes their top level.
#include <cstdlib>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "load_as_image.h"
#include "scratch_dir.h"
#include "shared.h"

namespace {

// Level arrays are sized by the file's numberOfMipmapLevels; a file that
// announces more levels than any texture has is not loaded level by level.
constexpr uint32_t kMaxLevelCount = 64;

void LoadLevels(const char* path, uint32_t count, bool firstLevelOnly) {
    std::vector<PixelLayout> layouts(count);
    std::vector<TextureImage> levels(count);
    for (uint32_t i = 0; i < count; ++i) {
        levels[i].pPixelLayout = &layouts[i];
    }
    char message[kMessageBufferSize] = {};
    if (LoadImageKTX(path, levels.data(), firstLevelOnly, message)) {
        for (const TextureImage& level : levels) {
            FUZZ_CHECK(level.nDataSize == 0 || level.pData != nullptr);
        }
    } else {
        CheckFailureMessage(message, sizeof(message), {"ValidateKTXImage", "LoadImageKTX"});
    }
    for (uint32_t i = 0; i < count; ++i) {
        FUZZ_CHECK(levels[i].pPixelLayout == &layouts[i]);
        std::free(levels[i].pData);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteScratchFile("input.ktx", data, size);

    uint32_t levelCount = 0;
    char message[kMessageBufferSize] = {};
    if (!ValidateKTXImage(path.c_str(), &levelCount, message)) {
        CheckFailureMessage(message, sizeof(message), {"ValidateKTXImage"});
    }
    LoadLevels(path.c_str(), 1, true);
    if (levelCount <= kMaxLevelCount) {
        LoadLevels(path.c_str(), levelCount == 0 ? 1 : levelCount, false);
    }
    CheckLoadImage(path.c_str(), false);
    return 0;
}
