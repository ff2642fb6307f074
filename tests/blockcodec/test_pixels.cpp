// The pixel material of the block library's tests.
#include "test_pixels.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

uint32_t PixelRandom::Next() {
    m_state ^= m_state >> 12;
    m_state ^= m_state << 25;
    m_state ^= m_state >> 27;
    return static_cast<uint32_t>((m_state * 0x2545F4914F6CDD1Dull) >> 32);
}

namespace {

uint8_t ClampByte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

ColourBlock FlatBlock(uint8_t r, uint8_t g, uint8_t b) {
    ColourBlock block;
    for (auto& texel : block.texel) {
        texel[0] = r;
        texel[1] = g;
        texel[2] = b;
    }
    return block;
}

}  // namespace

ColourBlock RandomColourBlock(PixelRandom& random) {
    ColourBlock block;
    for (auto& texel : block.texel) {
        for (auto& channel : texel) {
            channel = random.Byte();
        }
    }
    return block;
}

std::vector<ColourBlock> StructuredColourBlocks() {
    std::vector<ColourBlock> blocks;
    PixelRandom random(7);
    const uint8_t levels[] = {0, 1, 3, 8, 17, 100, 127, 128, 200, 247, 250, 254, 255};
    for (uint8_t level : levels) {
        blocks.push_back(FlatBlock(level, level, level));
        blocks.push_back(
            FlatBlock(level, static_cast<uint8_t>(255 - level), static_cast<uint8_t>(level / 2)));
    }
    for (int split = 0; split < 2; ++split) {
        for (int pair = 0; pair < 12; ++pair) {
            ColourBlock block;
            const ColourBlock a = RandomColourBlock(random);
            const ColourBlock b = RandomColourBlock(random);
            for (int i = 0; i < 16; ++i) {
                const bool second = split == 0 ? (i % 4) >= 2 : i >= 8;
                for (int c = 0; c < 3; ++c) {
                    block.texel[i][c] = second ? b.texel[0][c] : a.texel[0][c];
                }
            }
            blocks.push_back(block);
        }
    }
    for (int g = 0; g < 16; ++g) {
        ColourBlock block;
        const int start = static_cast<int>(random.Below(256));
        const int stepX = static_cast<int>(random.Below(41)) - 20;
        const int stepY = static_cast<int>(random.Below(41)) - 20;
        for (int i = 0; i < 16; ++i) {
            const int value = start + stepX * (i % 4) + stepY * (i / 4);
            block.texel[i][0] = ClampByte(value);
            block.texel[i][1] = ClampByte(value + 30);
            block.texel[i][2] = ClampByte(255 - value);
        }
        blocks.push_back(block);
    }
    for (int n = 0; n < 16; ++n) {
        ColourBlock block = FlatBlock(random.Byte(), random.Byte(), random.Byte());
        const int spread = 1 + static_cast<int>(random.Below(12));
        for (auto& texel : block.texel) {
            for (auto& channel : texel) {
                channel =
                    ClampByte(channel + static_cast<int>(random.Below(2 * spread + 1)) - spread);
            }
        }
        blocks.push_back(block);
    }
    for (int f = 0; f < 16; ++f) {
        ColourBlock palette = RandomColourBlock(random);
        ColourBlock block;
        for (auto& texel : block.texel) {
            const uint32_t pick = random.Below(3);
            for (int c = 0; c < 3; ++c) {
                texel[c] = palette.texel[pick][c];
            }
        }
        blocks.push_back(block);
    }
    return blocks;
}

std::vector<ChannelValues> StructuredChannelBlocks(PixelRandom& random, int count) {
    std::vector<ChannelValues> blocks;
    for (int i = 0; i < count; ++i) {
        ChannelValues values{};
        const int kind = i % 6;
        const int low = static_cast<int>(random.Below(256));
        const int spread = kind == 1 ? 1 + static_cast<int>(random.Below(40))
                                     : 1 + static_cast<int>(random.Below(256));
        for (int k = 0; k < 16; ++k) {
            switch (kind) {
                case 0:  // random
                    values[k] = random.Byte();
                    break;
                case 1:  // narrow range
                case 2:  // any range
                    values[k] = ClampByte(
                        low + static_cast<int>(random.Below(static_cast<uint32_t>(spread))));
                    break;
                case 3:  // a few values
                    values[k] = static_cast<uint8_t>((low * (1 + k % 3)) % 256);
                    break;
                case 4:  // extremes with some values between
                    values[k] = k % 4 == 0 ? 0 : (k % 4 == 1 ? 255 : random.Byte());
                    break;
                default:  // gradient
                    values[k] =
                        ClampByte(low + (spread / 8 - 16) * (k % 4) + (spread % 9 - 4) * (k / 4));
                    break;
            }
        }
        blocks.push_back(values);
    }
    return blocks;
}

RgbaImage StructuredImage(int width, int height, uint64_t seed) {
    PixelRandom random(seed);
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.rgba.resize(static_cast<size_t>(width) * height * 4);
    const int edgeX = static_cast<int>(random.Below(static_cast<uint32_t>(width)));
    const int noise = 1 + static_cast<int>(random.Below(24));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = &image.rgba[(static_cast<size_t>(y) * width + x) * 4];
            const int jitter =
                static_cast<int>(random.Below(static_cast<uint32_t>(2 * noise + 1))) - noise;
            const int side = x < edgeX + y / 3 ? 0 : 90;
            pixel[0] = ClampByte(x * 255 / std::max(1, width - 1) + jitter);
            pixel[1] = ClampByte(y * 255 / std::max(1, height - 1) - side + jitter);
            pixel[2] = ClampByte(128 + side - jitter * 2);
            pixel[3] = ClampByte((x + y) * 4 + jitter);
        }
    }
    return image;
}

std::vector<RgbaImage> CorpusCrops(int size) {
    namespace fs = std::filesystem;
    const char* overridden = std::getenv("VOSTREL_CORPUS");
    const fs::path directory = overridden != nullptr
                                   ? fs::path(overridden)
                                   : fs::path(VOSTREL_SOURCE_DIR) / ".." / "shared" / "corpus";
    std::vector<RgbaImage> crops;
    std::error_code error;
    if (!fs::is_directory(directory, error)) {
        return crops;
    }
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(directory, error)) {
        if (entry.path().extension() == ".png") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        FIBITMAP* loaded = FreeImage_Load(FIF_PNG, file.string().c_str(), 0);
        if (loaded == nullptr) {
            continue;
        }
        FIBITMAP* bitmap = FreeImage_ConvertTo32Bits(loaded);
        FreeImage_Unload(loaded);
        const int width = static_cast<int>(FreeImage_GetWidth(bitmap));
        const int height = static_cast<int>(FreeImage_GetHeight(bitmap));
        for (int corner = 0; corner < 3 && width >= size && height >= size; ++corner) {
            RgbaImage crop;
            crop.width = size;
            crop.height = size;
            crop.rgba.resize(static_cast<size_t>(size) * size * 4);
            const int left = (width - size) * corner / 2;
            const int top = (height - size) * corner / 2;
            for (int y = 0; y < size; ++y) {
                const BYTE* row = FreeImage_GetScanLine(bitmap, top + y);
                for (int x = 0; x < size; ++x) {
                    const BYTE* source = row + (left + x) * 4;
                    uint8_t* pixel = &crop.rgba[(static_cast<size_t>(y) * size + x) * 4];
                    pixel[0] = source[FI_RGBA_RED];
                    pixel[1] = source[FI_RGBA_GREEN];
                    pixel[2] = source[FI_RGBA_BLUE];
                    pixel[3] = source[FI_RGBA_ALPHA];
                }
            }
            crops.push_back(std::move(crop));
        }
        FreeImage_Unload(bitmap);
    }
    return crops;
}

ColourBlock ImageBlock(const RgbaImage& image, int bx, int by) {
    ColourBlock block;
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            const int column = std::min(bx + x, image.width - 1);
            const int row = std::min(by + y, image.height - 1);
            const uint8_t* pixel =
                &image.rgba[(static_cast<size_t>(row) * image.width + column) * 4];
            for (int c = 0; c < 3; ++c) {
                block.texel[4 * y + x][c] = pixel[c];
            }
        }
    }
    return block;
}
