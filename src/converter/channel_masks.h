// The four channel masks of an image, with its layout's overrides.
#pragma once

#include <cstdint>

#include "morlune_converter.h"

struct ChannelMasks {
    uint32_t red;
    uint32_t green;
    uint32_t blue;
    uint32_t alpha;

    bool operator==(const ChannelMasks&) const = default;
};

// Red, green, blue, alpha bytes in that order: the working image's masks.
constexpr ChannelMasks kWorkingMasks{0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000};

inline ChannelMasks MasksOf(const Morlune& converter, const TextureImage* image) {
    return {converter.ImgInfo(image, INFO_RED_MASK), converter.ImgInfo(image, INFO_GREEN_MASK),
            converter.ImgInfo(image, INFO_BLUE_MASK), converter.ImgInfo(image, INFO_ALPHA_MASK)};
}
