// The golden test's pictures, generated from fixed sequences so that they
// never change.
#include "golden_pictures.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// A fixed pseudo-random sequence (xorshift32): the generated pictures must
// never change.
class Sequence {
  public:
    explicit Sequence(uint32_t seed) : m_state(seed) {}
    uint32_t Next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    uint8_t Byte() { return static_cast<uint8_t>(Next() >> 24); }

  private:
    uint32_t m_state;
};

Record MakeRecord(uint32_t width, uint32_t height) {
    Record image(CreateTextureImage());
    image->nWidth = width;
    image->nHeight = height;
    image->nFormat = 1;
    image->nDataSize = width * height * 4;
    image->pData = static_cast<uint8_t*>(std::malloc(image->nDataSize));
    return image;
}

using Painter = void (*)(uint32_t x, uint32_t y, Sequence& random, uint8_t pixel[4]);

void Noise(uint32_t, uint32_t, Sequence& random, uint8_t pixel[4]) {
    for (int c = 0; c < 4; ++c) {
        pixel[c] = random.Byte();
    }
}

void OpaqueNoise(uint32_t x, uint32_t y, Sequence& random, uint8_t pixel[4]) {
    Noise(x, y, random, pixel);
    pixel[3] = 255;
}

// Each 4 x 4 block is one colour; the colours include the extremes.
void Flat(uint32_t x, uint32_t y, Sequence&, uint8_t pixel[4]) {
    static constexpr uint8_t kColours[][4] = {
        {0, 0, 0, 255}, {255, 255, 255, 255}, {0, 0, 255, 255},  {0, 255, 0, 128},
        {255, 0, 0, 0}, {127, 128, 129, 255}, {17, 200, 34, 77}, {255, 255, 0, 255},
        {8, 8, 8, 8},   {250, 3, 250, 255},   {64, 64, 64, 192}, {1, 254, 1, 255},
    };
    const uint32_t block = (x / 4 + 3 * (y / 4)) % (sizeof(kColours) / sizeof(kColours[0]));
    std::memcpy(pixel, kColours[block], 4);
}

// Every pixel is one of two colours that change from block to block.
void TwoColour(uint32_t x, uint32_t y, Sequence& random, uint8_t pixel[4]) {
    const uint32_t block = x / 4 * 7919 + y / 4 * 104729;
    Sequence colours(block * 2654435761u + 1);
    uint8_t first[4], second[4];
    for (int c = 0; c < 4; ++c) {
        first[c] = colours.Byte();
        second[c] = colours.Byte();
    }
    std::memcpy(pixel, (random.Next() & 0x100) != 0 ? first : second, 4);
}

// Smooth colour with alpha cut hard along a diagonal, and a soft ramp in
// the other half.
void AlphaEdge(uint32_t x, uint32_t y, Sequence&, uint8_t pixel[4]) {
    pixel[0] = static_cast<uint8_t>(x * 7 + y * 3);
    pixel[1] = static_cast<uint8_t>(200 - x * 2);
    pixel[2] = static_cast<uint8_t>(y * 11);
    if ((x + y) % 23 < 11) {
        pixel[3] = (x + 2 * y) % 9 < 4 ? 0 : 255;
    } else {
        pixel[3] = static_cast<uint8_t>(x * 13 + y * 5);
    }
}

void Gradient(uint32_t x, uint32_t y, Sequence&, uint8_t pixel[4]) {
    pixel[0] = static_cast<uint8_t>(x * 255 / 63);
    pixel[1] = static_cast<uint8_t>(y * 255 / 63);
    pixel[2] = static_cast<uint8_t>((x + y) * 2);
    pixel[3] = static_cast<uint8_t>(255 - x * y % 256);
}

Record Paint(uint32_t width, uint32_t height, uint32_t seed, Painter painter) {
    Record image = MakeRecord(width, height);
    Sequence random(seed);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            painter(x, y, random, image->pData + (size_t(y) * width + x) * 4);
        }
    }
    return image;
}

struct Size {
    uint32_t width, height;
};

constexpr Size kOddSizes[] = {{1, 1}, {2, 2},  {3, 5},  {4, 4},   {5, 3},
                              {7, 7}, {1, 64}, {64, 1}, {37, 29}, {129, 67}};

}  // namespace

std::vector<GoldenPicture> GeneratedPictures() {
    struct Kind {
        const char* name;
        Painter painter;
    };
    constexpr Kind kKinds[] = {
        {"noise", Noise},          {"opaque-noise", OpaqueNoise}, {"flat", Flat},
        {"two-colour", TwoColour}, {"alpha-edge", AlphaEdge},     {"gradient", Gradient}};
    std::vector<GoldenPicture> pictures;
    uint32_t seed = 1;
    for (const Kind& kind : kKinds) {
        for (const Size& size : kOddSizes) {
            pictures.push_back({std::string(kind.name) + "-" + std::to_string(size.width) + "x" +
                                    std::to_string(size.height),
                                Paint(size.width, size.height, seed++, kind.painter)});
        }
    }
    pictures.push_back({"noise-256x256", Paint(256, 256, 4242, Noise)});
    pictures.push_back({"two-colour-128x128", Paint(128, 128, 77, TwoColour)});
    return pictures;
}

std::vector<GoldenPicture> CorpusPictures(const std::string& corpusDir) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(corpusDir, error)) {
        if (entry.path().extension() == ".png") {
            paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<GoldenPicture> pictures;
    for (const std::string& path : paths) {
        Record image(CreateTextureImage());
        char message[kMessageBufferSize] = "";
        if (!LoadImage(path.c_str(), image.get(), message)) {
            continue;
        }
        pictures.push_back({std::filesystem::path(path).stem().string(), std::move(image)});
    }
    // Every fourth photograph again, with the green channel of the next one
    // as alpha where the sizes agree.
    const size_t photographs = pictures.size();
    for (size_t i = 0; i + 1 < photographs; i += 4) {
        const TextureImage& colour = *pictures[i].image;
        const TextureImage& other = *pictures[i + 1].image;
        if (colour.nWidth != other.nWidth || colour.nHeight != other.nHeight) {
            continue;
        }
        Record image = MakeRecord(colour.nWidth, colour.nHeight);
        std::memcpy(image->pData, colour.pData, colour.nDataSize);
        for (uint32_t p = 0; p < colour.nWidth * colour.nHeight; ++p) {
            image->pData[4 * p + 3] = other.pData[4 * p + 1];
        }
        pictures.push_back({pictures[i].name + "-alpha", std::move(image)});
    }
    return pictures;
}
