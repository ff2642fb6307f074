// Writes the demo's sample picture as an uncompressed 32-bit TGA: colour
// gradients, hard edges, fine detail and an alpha ramp, so that every
// compression type has something to get right.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "byte_order.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 256;

struct Rgba {
    uint8_t r, g, b, a;
};

Rgba Pixel(int x, int y) {
    const int quadrant = (x >= kWidth / 2 ? 1 : 0) + (y >= kHeight / 2 ? 2 : 0);
    const int qx = x % (kWidth / 2);
    const int qy = y % (kHeight / 2);
    Rgba p{0, 0, 0, 255};
    switch (quadrant) {
        case 0:  // smooth gradients in all three channels
            p = {uint8_t(qx), uint8_t(qy * 2), uint8_t(255 - qx), 255};
            break;
        case 1: {  // hard edges: checkerboard, a red and a blue stripe
            const bool check = ((qx / 16) + (qy / 16)) % 2 == 0;
            p = check ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 255};
            if (qy >= 48 && qy < 64) {
                p = {220, 20, 30, 255};
            }
            if (qx >= 96 && qx < 104) {
                p = {20, 40, 230, 255};
            }
            break;
        }
        case 2: {  // fine detail: rings one to two pixels wide
            const double dx = qx - 64.0, dy = qy - 64.0;
            const double d = std::sqrt(dx * dx + dy * dy);
            const uint8_t v = uint8_t(127.5 + 127.5 * std::cos(d * 1.7));
            p = {v, uint8_t(255 - v), uint8_t((qx * 7 + qy * 13) & 0xFF), 255};
            break;
        }
        default:  // alpha ramp over a warm gradient
            p = {uint8_t(200 + qy / 3), uint8_t(qx), 60, uint8_t(qx * 255 / (kWidth / 2 - 1))};
            break;
    }
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample <output.tga>\n");
        return 2;
    }
    std::vector<uint8_t> file(18 + size_t(kWidth) * kHeight * 4);
    file[2] = 2;  // uncompressed true colour
    StoreLittleEndian16(&file[12], kWidth);
    StoreLittleEndian16(&file[14], kHeight);
    file[16] = 32;
    file[17] = 0x28;  // 8 alpha bits, rows from the top
    uint8_t* out = file.data() + 18;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgba p = Pixel(x, y);
            *out++ = p.b;
            *out++ = p.g;
            *out++ = p.r;
            *out++ = p.a;
        }
    }
    FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    if (std::fclose(f) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
