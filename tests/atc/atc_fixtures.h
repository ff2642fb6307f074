// Blocks and images used across the ATC tests.
#pragma once

#include <cstdint>
#include <vector>

#include "atc.h"

inline ColourBlock FlatBlock(uint8_t c0, uint8_t c1, uint8_t c2) {
    ColourBlock block{};
    for (auto& texel : block.texel) {
        texel[0] = c0;
        texel[1] = c1;
        texel[2] = c2;
    }
    return block;
}

// Texels 0..7 black, 8..15 white.
inline ColourBlock HalfBlackWhiteBlock() {
    ColourBlock block{};
    for (int t = 8; t < 16; ++t) {
        block.texel[t][0] = block.texel[t][1] = block.texel[t][2] = 255;
    }
    return block;
}

// Grey 17 x t for texel t.
inline ColourBlock GreyRampBlock() {
    ColourBlock block{};
    for (int t = 0; t < 16; ++t) {
        block.texel[t][0] = block.texel[t][1] = block.texel[t][2] = static_cast<uint8_t>(17 * t);
    }
    return block;
}

// Rows black, red, blue, white.
inline ColourBlock BlackRedBlueWhiteBlock() {
    static const uint8_t rows[4][3] = {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {255, 255, 255}};
    ColourBlock block{};
    for (int t = 0; t < 16; ++t) {
        for (int k = 0; k < 3; ++k) {
            block.texel[t][k] = rows[t / 4][k];
        }
    }
    return block;
}

// A 32-bit RGBA image (pitch width x 4) whose 4x4 blocks are the given
// blocks, left to right, with alpha 255.
inline std::vector<uint8_t> ImageOfBlocks(const std::vector<ColourBlock>& blocks) {
    const size_t width = 4 * blocks.size();
    std::vector<uint8_t> image(width * 4 * 4);
    for (size_t b = 0; b < blocks.size(); ++b) {
        for (int t = 0; t < 16; ++t) {
            uint8_t* pixel = &image[((t / 4) * width + 4 * b + t % 4) * 4];
            pixel[0] = blocks[b].texel[t][0];
            pixel[1] = blocks[b].texel[t][1];
            pixel[2] = blocks[b].texel[t][2];
            pixel[3] = 255;
        }
    }
    return image;
}

constexpr uint32_t kRed = 0x000000FF;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlue = 0x00FF0000;
constexpr uint32_t kAlpha = 0xFF000000;

// The stored colour block's fields.
struct StoredColourBlock {
    uint16_t colour0;
    uint16_t colour1;
    uint32_t indexWord;
};

inline StoredColourBlock ReadColourBlock(const uint8_t* block) {
    return {static_cast<uint16_t>(block[0] | block[1] << 8),
            static_cast<uint16_t>(block[2] | block[3] << 8),
            uint32_t{block[4]} | uint32_t{block[5]} << 8 | uint32_t{block[6]} << 16 |
                uint32_t{block[7]} << 24};
}
