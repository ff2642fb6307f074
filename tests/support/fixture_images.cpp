// The tests' small input pictures written as TGA files, their pattern, and
// the shape of a KTX file read from its header.
#include "fixture_images.h"

#include <fstream>
#include <sstream>

#include "byte_order.h"

bool WriteTga(const std::string& path, uint32_t width, uint32_t height,
              const std::vector<uint8_t>& rgba) {
    if (rgba.size() != size_t(width) * height * 4 || width > 0xFFFF || height > 0xFFFF) {
        return false;
    }
    std::vector<uint8_t> file(18 + rgba.size());
    file[2] = 2;
    StoreLittleEndian16(&file[12], uint16_t(width));
    StoreLittleEndian16(&file[14], uint16_t(height));
    file[16] = 32;
    file[17] = 0x28;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        file[18 + i] = rgba[i + 2];
        file[18 + i + 1] = rgba[i + 1];
        file[18 + i + 2] = rgba[i];
        file[18 + i + 3] = rgba[i + 3];
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

std::vector<uint8_t> PatternPixels(uint32_t width, uint32_t height) {
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
            p[0] = uint8_t(x * 255 / (width > 1 ? width - 1 : 1));
            p[1] = uint8_t(y * 255 / (height > 1 ? height - 1 : 1));
            p[2] = ((x / 4 + y / 4) % 2) != 0 ? 220 : 30;
            p[3] = uint8_t(255 - x * 255 / (width > 1 ? width - 1 : 1) / 2);
        }
    }
    return rgba;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

KtxShape ReadKtxShape(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    KtxShape shape;
    if (bytes.size() >= 64) {
        auto word = [&](size_t offset) {
            return LoadLittleEndian32(reinterpret_cast<const uint8_t*>(bytes.data()) + offset);
        };
        shape = {word(36), word(40), word(56)};
    }
    return shape;
}
