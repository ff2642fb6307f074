// RGBA pictures in memory: decoded levels, sheets, differences. Pixels are
// red, green, blue, alpha bytes, rows from the top.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RGBAPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* Pixel(uint32_t x, uint32_t y) const {
        return &pixels[(uint64_t(y) * width + x) * 4];
    }
    uint8_t* Pixel(uint32_t x, uint32_t y) { return &pixels[(uint64_t(y) * width + x) * 4]; }
};

// A transparent black picture of width x height pixels. Throws Failure,
// naming file, when so large a picture could not be written: PNG sides are
// below 2^31 and a picture's bytes must fit in 32 bits.
RGBAPicture BlankPicture(uint64_t width, uint64_t height, const std::string& file);

// Writes the picture as a PNG file; throws Failure naming path.
void WritePNG(const RGBAPicture& picture, const std::string& path);
