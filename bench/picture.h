// Pictures of the corpus held as rows from the top, 4 bytes a pixel: red,
// green, blue, alpha.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgba;
};

// Reads any picture FreeImage reads; false with a message on failure.
bool LoadPicture(const std::string& path, Picture* picture, std::string* error);

// Writes the picture as a 32-bit PNG.
bool SavePicturePng(const std::string& path, const Picture& picture);

// The picture's red, green and blue bytes, 3 bytes a pixel.
std::vector<uint8_t> PackRgb(const Picture& picture);
