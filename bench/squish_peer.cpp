#include "squish_peer.h"

#include <squish.h>

#include <cstring>

namespace {

int Flags(bool twoChannels) { return twoChannels ? squish::kBc5 : squish::kBc4; }

// A BC4 block is laid out as the alpha half of a DXT5 block: decode it as
// such behind an arbitrary colour half and keep the alpha.
void DecodeSingleChannel(const uint8_t* block, uint8_t values[16]) {
    uint8_t dxt5[16] = {};
    std::memcpy(dxt5, block, 8);
    uint8_t rgba[64];
    squish::Decompress(rgba, dxt5, squish::kDxt5);
    for (int i = 0; i < 16; ++i) {
        values[i] = rgba[4 * i + 3];
    }
}

}  // namespace

void SquishEncode(const Picture& picture, bool twoChannels, std::vector<uint8_t>* blocks) {
    const int flags = Flags(twoChannels);
    const int width = int(picture.width);
    const int height = int(picture.height);
    blocks->resize(size_t(squish::GetStorageRequirements(width, height, flags)));
    squish::CompressImage(picture.rgba.data(), width, height, blocks->data(), flags);
}

void SquishDecode(const std::vector<uint8_t>& blocks, uint32_t width, uint32_t height,
                  bool twoChannels, std::vector<uint8_t>* rgba) {
    rgba->assign(size_t(width) * height * 4, 0);
    const size_t blockBytes = twoChannels ? 16 : 8;
    const uint32_t blocksAcross = (width + 3) / 4;
    const uint32_t blocksDown = (height + 3) / 4;
    if (blocks.size() < size_t(blocksAcross) * blocksDown * blockBytes) {
        return;
    }
    for (uint32_t by = 0; by < blocksDown; ++by) {
        for (uint32_t bx = 0; bx < blocksAcross; ++bx) {
            const uint8_t* block = &blocks[(size_t(by) * blocksAcross + bx) * blockBytes];
            uint8_t red[16];
            uint8_t green[16] = {};
            DecodeSingleChannel(block, red);
            if (twoChannels) {
                DecodeSingleChannel(block + 8, green);
            }
            for (uint32_t i = 0; i < 16; ++i) {
                const uint32_t x = bx * 4 + i % 4;
                const uint32_t y = by * 4 + i / 4;
                if (x >= width || y >= height) {
                    continue;
                }
                uint8_t* pixel = &(*rgba)[(size_t(y) * width + x) * 4];
                pixel[0] = red[i];
                pixel[1] = green[i];
                pixel[3] = 255;
            }
        }
    }
}
