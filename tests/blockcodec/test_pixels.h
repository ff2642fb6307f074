// Pixel material for the block library's tests: a small deterministic
// random source, structured and random blocks, and RGBA test pictures.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "quenda_codes.h"

class PixelRandom {
  public:
    explicit PixelRandom(uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t Next();
    // Uniform in 0..bound-1.
    uint32_t Below(uint32_t bound) { return Next() % bound; }
    uint8_t Byte() { return static_cast<uint8_t>(Next() >> 24); }

  private:
    uint64_t m_state;
};

using ChannelValues = std::array<uint8_t, 16>;

// Flat, split, graded, noisy and few-colour blocks.
std::vector<ColourBlock> StructuredColourBlocks();
ColourBlock RandomColourBlock(PixelRandom& random);

// Flat, two-valued, narrow, wide, extreme-valued and random channel blocks.
std::vector<ChannelValues> StructuredChannelBlocks(PixelRandom& random, int count);

struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;  // rows packed, 4 bytes per pixel: R, G, B, A
};

// Gradients, edges and noise, different for each seed.
RgbaImage StructuredImage(int width, int height, uint64_t seed);

// size x size crops of the photographs of the corpus beside the repository,
// if it is there (or in $VOSTREL_CORPUS); empty otherwise.
std::vector<RgbaImage> CorpusCrops(int size);

// The 16 pixels of the block at (bx, by) of the image, edge pixels repeated.
ColourBlock ImageBlock(const RgbaImage& image, int bx, int by);
