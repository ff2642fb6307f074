// Palettised destinations through the engine's entry, read back through it.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "morlune.h"

namespace {

// Converts width x height pixels of RGBA8888 to format through the engine's
// entry, with the size query first.
std::vector<uint8_t> Convert(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height,
                             uint32_t sourceFormat, uint32_t format) {
    std::vector<uint8_t> source = pixels;
    TextureImage src{width, height, sourceFormat, nullptr, uint32_t(source.size()), source.data()};
    TextureImage dst{width, height, format, nullptr, 0, nullptr};
    EXPECT_EQ(MorluneConvert(&src, &dst), TRC_OK);
    std::vector<uint8_t> out(dst.nDataSize, 0xEE);
    dst.pData = out.data();
    EXPECT_EQ(MorluneConvert(&src, &dst), TRC_OK);
    EXPECT_EQ(dst.nDataSize, out.size());
    return out;
}

TEST(PaletteConvert, TwoByTwoRgbaPaletteIs1028Bytes) {
    const std::vector<uint8_t> pixels = {255, 0, 0,   255, 0, 255, 0, 128,
                                         0,   0, 255, 255, 9, 9,   9, 0};
    const std::vector<uint8_t> out = Convert(pixels, 2, 2, RGBA8888, PAL8_RGBA8888);
    ASSERT_EQ(out.size(), 1028u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(std::memcmp(out.data() + 4 * out[1024 + i], pixels.data() + 4 * i, 4), 0) << i;
    }
    // Translucent colours first.
    EXPECT_LT(out[1024 + 1], 2);
    EXPECT_LT(out[1024 + 3], 2);
    EXPECT_EQ(std::vector<uint8_t>(out.begin() + 16, out.begin() + 1024),
              std::vector<uint8_t>(1008, 0));
}

TEST(PaletteConvert, Rgb565EntriesAreLittleEndianAndPixelZeroIsTheLowNibble) {
    // (255, 0, 0) is 0xF800, (0x84, 0x82, 0x08) is 0x8401.
    const std::vector<uint8_t> pixels = {255,  0,    0,    255, 0x84, 0x82, 0x08, 255,
                                         0x84, 0x82, 0x08, 255, 255,  0,    0,    255};
    const std::vector<uint8_t> out = Convert(pixels, 4, 1, RGBA8888, PAL4_RGB565);
    // Green has the widest range, so red is the lower box and comes first;
    // being opaque it takes the last index.
    std::vector<uint8_t> expected = {0x01, 0x84, 0x00, 0xF8};
    expected.resize(32, 0);
    expected.insert(expected.end(), {0x01, 0x10});
    EXPECT_EQ(out, expected);
}

TEST(PaletteConvert, OneBitIndicesCarryPixelZeroInBitZero) {
    const uint8_t t[] = {200, 200, 200, 7};
    const uint8_t o[] = {1, 2, 3, 255};
    std::vector<uint8_t> pixels;
    for (int bit : {1, 0, 0, 1, 0, 1, 1, 0}) {
        pixels.insert(pixels.end(), bit ? o : t, (bit ? o : t) + 4);
    }
    const std::vector<uint8_t> out = Convert(pixels, 4, 2, RGBA8888, PAL1_RGBA8888);
    ASSERT_EQ(out.size(), 9u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.end()),
              (std::vector<uint8_t>{200, 200, 200, 7, 1, 2, 3, 255, 0x69}));
}

struct RoundTrip {
    const char* name;
    uint32_t format;
    uint32_t width;
    uint32_t height;
    uint32_t colours;
};

TEST(PaletteConvert, OddWidthsReadBackAsTheQuantizedPixels) {
    const RoundTrip cases[] = {
        {"PAL4 width 3", PAL4_RGBA8888, 3, 3, 9},
        {"PAL4 RGB565 width 3", PAL4_RGB565, 3, 2, 6},
        {"PAL1 width 5", PAL1_RGBA8888, 5, 3, 2},
        {"PAL8 width 7", PAL8_RGB888, 7, 3, 21},
        {"PAL4 RGBA4444 width 5", PAL4_RGBA4444, 5, 1, 5},
        {"PAL8 RGBA5551 width 3", PAL8_RGBA5551, 3, 3, 9},
    };
    for (const RoundTrip& c : cases) {
        // Colours that each entry layout keeps exactly: channels 0 or 255.
        std::vector<uint8_t> pixels;
        for (uint32_t i = 0; i < c.width * c.height; ++i) {
            const uint32_t k = i % c.colours;
            pixels.insert(pixels.end(), {uint8_t(k & 1 ? 255 : 0), uint8_t(k & 2 ? 255 : 0),
                                         uint8_t(k & 4 ? 255 : 0), uint8_t(k & 8 ? 0 : 255)});
        }
        const std::vector<uint8_t> palettised =
            Convert(pixels, c.width, c.height, RGBA8888, c.format);
        const std::vector<uint8_t> back =
            Convert(palettised, c.width, c.height, c.format, RGBA8888);
        std::vector<uint8_t> expected = pixels;
        if (c.format == PAL8_RGB888 || c.format == PAL4_RGB565) {
            for (size_t i = 3; i < expected.size(); i += 4) {
                expected[i] = 255;
            }
        }
        EXPECT_EQ(back, expected) << c.name;
    }
}

TEST(PaletteConvert, MoreColoursThanEntriesReadBackAsTheirPaletteEntries) {
    // 3 x 5 pixels of 15 greys into 2 and 16 entries.
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < 15; ++i) {
        pixels.insert(pixels.end(), {uint8_t(i * 17), uint8_t(i * 17), uint8_t(255 - i), 255});
    }
    for (const uint32_t format : {PAL1_RGBA8888, PAL4_RGBA8888}) {
        const uint32_t bits = format == PAL1_RGBA8888 ? 1 : 4;
        const std::vector<uint8_t> palettised = Convert(pixels, 3, 5, RGBA8888, format);
        const std::vector<uint8_t> back = Convert(palettised, 3, 5, format, RGBA8888);
        ASSERT_EQ(back.size(), pixels.size());
        const size_t base = (size_t(4) << bits);
        for (size_t i = 0; i < 15; ++i) {
            const size_t bit = i * bits;
            const uint32_t index = (palettised[base + bit / 8] >> (bit % 8)) & ((1u << bits) - 1);
            EXPECT_EQ(std::memcmp(back.data() + 4 * i, palettised.data() + 4 * index, 4), 0)
                << format << " pixel " << i;
        }
        EXPECT_EQ(palettised.back() >> ((15 * bits) % 8), 0) << format;
    }
}

}  // namespace
