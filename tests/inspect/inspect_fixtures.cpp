// The VostrelInspect tests' fixtures: the executables run, pictures
// written and read back, and PSNR computed here on its own.
#include "inspect_fixtures.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>

#include "fixture_images.h"

const TextureType kTextureTypes[6] = {
    {"ATC RGB", 23, "RGB"},
    {"ATC RGBA Explicit", 22, "RGBA"},
    {"ATC RGBA Interpolated", 24, "RGBA"},
    {"ETC1 RGB8", 25, "RGB"},
    {"3DC X", 26, "R"},
    {"3DC XY", 27, "RG"},
};

ProcessResult RunVostrelInspect(const std::vector<std::string>& arguments) {
    return RunProcess(VOSTREL_INSPECT_PATH, arguments);
}

Picture PatternPicture(uint32_t width, uint32_t height) {
    return {width, height, PatternPixels(width, height)};
}

void WritePicture(const std::string& path, const Picture& picture) {
    ASSERT_TRUE(WriteTga(path, picture.width, picture.height, picture.rgba)) << path;
}

void MakeTexture(const std::string& source, const std::string& texture, const std::string& type,
                 const std::vector<std::string>& extra) {
    std::vector<std::string> arguments = {source, texture, type};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const ProcessResult run = RunVostrelCmd(arguments);
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
}

Picture ReadPicture(const std::string& path) {
    Picture picture;
    FIBITMAP* loaded = FreeImage_Load(FreeImage_GetFIFFromFilename(path.c_str()), path.c_str(), 0);
    EXPECT_NE(loaded, nullptr) << path;
    if (loaded == nullptr) {
        return picture;
    }
    FIBITMAP* bitmap = FreeImage_ConvertTo32Bits(loaded);
    FreeImage_Unload(loaded);
    picture.width = FreeImage_GetWidth(bitmap);
    picture.height = FreeImage_GetHeight(bitmap);
    picture.rgba.resize(size_t(picture.width) * picture.height * 4);
    for (uint32_t y = 0; y < picture.height; ++y) {
        for (uint32_t x = 0; x < picture.width; ++x) {
            RGBQUAD quad;
            FreeImage_GetPixelColor(bitmap, x, picture.height - 1 - y, &quad);
            uint8_t* p = &picture.rgba[(size_t(y) * picture.width + x) * 4];
            p[0] = quad.rgbRed;
            p[1] = quad.rgbGreen;
            p[2] = quad.rgbBlue;
            p[3] = quad.rgbReserved;
        }
    }
    FreeImage_Unload(bitmap);
    return picture;
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<Bytes> KtxLevelData(const std::string& path) {
    const Bytes file = ReadBytes(path);
    std::vector<Bytes> levels;
    size_t offset = 64 + Word(file, 60);
    for (uint32_t i = 0; i < Word(file, 56); ++i) {
        const uint32_t size = Word(file, offset);
        levels.emplace_back(file.begin() + std::ptrdiff_t(offset + 4),
                            file.begin() + std::ptrdiff_t(offset + 4 + size));
        offset += 4 + size;
    }
    return levels;
}

Picture HalfSize(const Picture& picture) {
    const uint32_t fx = picture.width > 1 ? 2 : 1;
    const uint32_t fy = picture.height > 1 ? 2 : 1;
    Picture half{picture.width / fx, picture.height / fy, {}};
    half.rgba.resize(size_t(half.width) * half.height * 4);
    for (uint32_t y = 0; y < half.height; ++y) {
        for (uint32_t x = 0; x < half.width; ++x) {
            for (int c = 0; c < 4; ++c) {
                unsigned sum = 0;
                for (uint32_t dy = 0; dy < fy; ++dy) {
                    for (uint32_t dx = 0; dx < fx; ++dx) {
                        sum += picture.At(x * fx + dx, y * fy + dy)[c];
                    }
                }
                half.rgba[(size_t(y) * half.width + x) * 4 + c] = uint8_t(sum / (fx * fy));
            }
        }
    }
    return half;
}

double PsnrOf(double squaredSum, double values) {
    if (squaredSum == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return 10.0 * std::log10(255.0 * 255.0 * values / squaredSum);
}

Quality Measure(const Picture& decoded, const Picture& reference, const std::string& channels) {
    Quality quality;
    EXPECT_EQ(decoded.width, reference.width);
    EXPECT_EQ(decoded.height, reference.height);
    const std::string names = "RGBA";
    for (const char name : channels) {
        const size_t c = names.find(name);
        for (size_t i = 0; i < std::min(decoded.rgba.size(), reference.rgba.size()) / 4; ++i) {
            const int d = int(decoded.rgba[4 * i + c]) - int(reference.rgba[4 * i + c]);
            quality.squaredSum += double(d) * d;
            quality.values += 1;
            quality.maxError[c] = std::max(quality.maxError[c], std::abs(d));
        }
    }
    quality.psnr = PsnrOf(quality.squaredSum, quality.values);
    return quality;
}
