// CompressMipChain: level 0 from the source, every further level from the
// level before it, each at the level size of the given level-0 size.
#include "container_layout.h"
#include "message.h"

bool CompressMipChain(const TextureImage* source, TextureImage** levels, uint32_t format,
                      uint32_t width, uint32_t height, uint32_t levelCount, char* message,
                      LevelStartFunction onLevelStart, void* context) {
    if (levelCount > 0 && levels == nullptr) {
        SetMessage(message,
                   "Compress: Make sure that both input and output textures have a supported "
                   "compression.");
        return false;
    }
    for (uint32_t i = 0; i < levelCount; ++i) {
        if (onLevelStart != nullptr) {
            onLevelStart(context, i, levelCount);
        }
        const TextureImage* from = i == 0 ? source : levels[i - 1];
        if (!Compress(from, levels[i], format, LevelDimension(width, i), LevelDimension(height, i),
                      message)) {
            return false;
        }
    }
    return true;
}
