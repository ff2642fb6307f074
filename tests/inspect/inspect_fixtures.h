// Fixtures of the VostrelInspect tests: running the executable, textures made
// by VostrelCmd from pictures the tests write, and pictures and levels read
// back for the tests' own checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "file_words.h"
#include "process.h"

using Bytes = std::vector<uint8_t>;

// Runs the VostrelInspect executable built with the tests.
ProcessResult RunVostrelInspect(const std::vector<std::string>& arguments);

struct Picture {
    uint32_t width = 0;
    uint32_t height = 0;
    Bytes rgba;  // red, green, blue, alpha bytes, rows from the top

    const uint8_t* At(uint32_t x, uint32_t y) const { return &rgba[(size_t(y) * width + x) * 4]; }
};

// The six compression types as VostrelCmd names them, with their format codes.
struct TextureType {
    const char* name;
    uint32_t format;
    const char* channels;  // the channels the type stores: "RGB", "RGBA", "R", "RG"
};
extern const TextureType kTextureTypes[6];

// PatternPixels as a picture.
Picture PatternPicture(uint32_t width, uint32_t height);

// Writes picture as a TGA file at path; fails the test when it cannot.
void WritePicture(const std::string& path, const Picture& picture);

// Runs VostrelCmd on source; extra are its optional arguments (mip flag,
// width, height). Fails the test when it does not succeed.
void MakeTexture(const std::string& source, const std::string& texture, const std::string& type,
                 const std::vector<std::string>& extra = {});

// A picture file (PNG, TGA) read through FreeImage.
Picture ReadPicture(const std::string& path);

// The data of every level of a KTX file, read from its bytes: imageSize and
// that many bytes per level after the header and key/value data.
std::vector<Bytes> KtxLevelData(const std::string& path);

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);

// A picture whose sides are powers of two reduced to half its size in each
// direction that is above 1, each pixel the floor of its 2 x 2 (or 2 x 1)
// cell's mean, as the engine's box filter reduces it.
Picture HalfSize(const Picture& picture);

// PSNR in dB and the largest absolute error per channel over the channels
// named ("RGB", "R", ...), computed here from two pictures of the same size.
struct Quality {
    double psnr = 0.0;
    double squaredSum = 0.0;
    double values = 0.0;
    int maxError[4] = {};
};
Quality Measure(const Picture& decoded, const Picture& reference, const std::string& channels);
double PsnrOf(double squaredSum, double values);
