// The part of a run that the direct and the workspace mode share: one level
// or a whole mip chain, then the KTX file.
#include <vector>

#include "front_end.h"
#include "shared.h"
#include "terminal_status.h"

namespace {

// Owns the level records of one run.
class LevelList {
  public:
    explicit LevelList(uint32_t count) : m_levels(count, nullptr) {
        for (TextureImage*& level : m_levels) {
            level = CreateTextureImage();
        }
    }
    ~LevelList() {
        for (TextureImage* level : m_levels) {
            FreeTextureImage(level);
        }
    }
    LevelList(const LevelList&) = delete;
    LevelList& operator=(const LevelList&) = delete;

    bool Complete() const {
        for (const TextureImage* level : m_levels) {
            if (level == nullptr) {
                return false;
            }
        }
        return true;
    }
    TextureImage** Data() { return m_levels.data(); }
    uint32_t Count() const { return uint32_t(m_levels.size()); }

  private:
    std::vector<TextureImage*> m_levels;
};

// One level or the whole chain, with the status line open meanwhile.
bool CompressLevels(const TextureImage* source, LevelList& levels, uint32_t format, uint32_t width,
                    uint32_t height, bool generateMips, char* message) {
    CompressionStatus status;
    if (generateMips) {
        return CompressMipChain(source, levels.Data(), format, width, height, levels.Count(),
                                message, CompressionStatus::LevelStarted, nullptr);
    }
    CompressionStatus::LevelStarted(nullptr, 0, 1);
    return Compress(source, levels.Data()[0], format, width, height, message);
}

}  // namespace

RunResult ConvertAndSave(const TextureImage* source, uint32_t format, uint32_t width,
                         uint32_t height, bool generateMips, const char* outputPath) {
    if (width == 0) {
        width = source->nWidth;
    }
    if (height == 0) {
        height = source->nHeight;
    }
    if (width > kLargestOutputSize || height > kLargestOutputSize) {
        return RunResult::Fatal("Output width and height must be between 1 and 16384.");
    }

    // The level count follows the source's size, the level sizes the
    // requested one.
    LevelList levels(generateMips ? CountMipLevels(source->nWidth, source->nHeight) : 1);
    char message[kMessageBufferSize] = {};
    if (!levels.Complete()) {
        return RunResult::Fatal("Out of memory.");
    }
    if (!CompressLevels(source, levels, format, width, height, generateMips, message)) {
        return RunResult::Fatal(message);
    }
    if (!SaveImageKTX(outputPath, levels.Data(), levels.Count(), message)) {
        return RunResult::Fatal(message);
    }
    return RunResult::Completed();
}
