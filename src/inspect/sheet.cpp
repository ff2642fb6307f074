// The sheet of levels side by side, and enlarging by pixel repetition.
#include "sheet.h"

#include <algorithm>
#include <cstring>

RGBAPicture MakeSheet(const std::vector<RGBAPicture>& levels, const std::string& outPath) {
    uint64_t width = 0;
    uint64_t height = 0;
    for (const RGBAPicture& level : levels) {
        width += level.width;
        height = std::max<uint64_t>(height, level.height);
    }
    RGBAPicture sheet = BlankPicture(width, height, outPath);
    uint32_t left = 0;
    for (const RGBAPicture& level : levels) {
        for (uint32_t y = 0; y < level.height; ++y) {
            std::memcpy(sheet.Pixel(left, y), level.Pixel(0, y), size_t(level.width) * 4);
        }
        left += level.width;
    }
    return sheet;
}

RGBAPicture Zoom(const RGBAPicture& picture, uint32_t factor, const std::string& outPath) {
    RGBAPicture zoomed =
        BlankPicture(uint64_t(picture.width) * factor, uint64_t(picture.height) * factor, outPath);
    for (uint32_t y = 0; y < zoomed.height; ++y) {
        for (uint32_t x = 0; x < zoomed.width; ++x) {
            std::memcpy(zoomed.Pixel(x, y), picture.Pixel(x / factor, y / factor), 4);
        }
    }
    return zoomed;
}
