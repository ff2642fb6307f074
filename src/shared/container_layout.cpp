// The block layout and KTX format fields of every container format, and
// the level sizes derived from them without overflow.
#include "container_layout.h"

#include <algorithm>

namespace {

constexpr ContainerLayout kContainerLayouts[] = {
    {1, 1, 1, 4, kGLRGBA, kGLUnsignedByte, kGLRGBA},
    {22, 4, 4, 16, kGLRGBA, 0, 0},
    {23, 4, 4, 8, kGLRGB, 0, 0},
    {24, 4, 4, 16, kGLRGBA, 0, 0},
    {25, 4, 4, 8, kGLRGB, 0, 0},
    {26, 4, 4, 8, kGLRGB, 0, 0},
    {27, 4, 4, 16, kGLRGB, 0, 0},
};

}  // namespace

const ContainerLayout* FindContainerLayout(uint32_t format) {
    for (const ContainerLayout& layout : kContainerLayouts) {
        if (layout.format == format) {
            return &layout;
        }
    }
    return nullptr;
}

uint32_t LevelDimension(uint32_t size, uint32_t level) {
    return level >= 32 ? 1 : std::max(size >> level, uint32_t(1));
}

bool LevelByteCount(uint32_t format, uint32_t width, uint32_t height, uint64_t* byteCount) {
    const ContainerLayout* layout = FindContainerLayout(format);
    if (layout == nullptr) {
        return false;
    }
    const uint64_t blocksAcross = (uint64_t(width) + layout->blockWidth - 1) / layout->blockWidth;
    const uint64_t blocksDown = (uint64_t(height) + layout->blockHeight - 1) / layout->blockHeight;
    // Each count is below 2^32, so their product fits; times the block's
    // bytes it may not, and saturates: no file holds that many.
    const uint64_t blocks = blocksAcross * blocksDown;
    *byteCount =
        blocks > UINT64_MAX / layout->bytesPerBlock ? UINT64_MAX : blocks * layout->bytesPerBlock;
    return true;
}
