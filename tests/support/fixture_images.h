// Small input pictures written by tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels of red, green, blue, alpha bytes (rows from
// the top) as an uncompressed 32-bit TGA file. Returns false on failure.
bool WriteTga(const std::string& path, uint32_t width, uint32_t height,
              const std::vector<uint8_t>& rgba);

// A picture with gradients, edges and an alpha ramp, as red, green, blue,
// alpha bytes.
std::vector<uint8_t> PatternPixels(uint32_t width, uint32_t height);

std::string ReadFileBytes(const std::string& path);

// Level 0's size and the level count from a KTX file's header; zeros when
// the file is shorter than a header.
struct KtxShape {
    uint32_t width = 0, height = 0, levels = 0;
};
KtxShape ReadKtxShape(const std::string& path);
