// The palette stage on its own: entries, then indices packed without row
// padding, and a destination too small for them.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "morlune_stages.h"

namespace {

constexpr uint8_t kFill = 0xEE;

struct PaletteRun {
    int32_t code = TRC_OK;
    std::vector<uint8_t> data;
    std::string errors;
};

// Runs the palette stage on a working image of width x pixels.size() / 4
// RGBA pixels into a destination prefilled with kFill.
PaletteRun BuildPaletteOf(uint32_t format, uint32_t width, const std::vector<uint8_t>& pixels,
                          int32_t sizeAdjustment = 0) {
    const uint32_t height = uint32_t(pixels.size() / 4) / width;
    TextureImage src{width, height, RGBA8888, nullptr, 0, nullptr};
    TextureImage dst{width, height, format, nullptr, 0, nullptr};
    MorluneStages m(&src, &dst);
    PaletteRun run;
    run.data.assign(m.ImgSize(&dst), kFill);
    dst.pData = run.data.data();
    dst.nDataSize = uint32_t(int32_t(run.data.size()) + sizeAdjustment);
    PixelBuffer buffer(new uint8_t[pixels.size()]);
    std::memcpy(buffer.get(), pixels.data(), pixels.size());
    m.InstallBuffer(std::move(buffer), width, height, 4);
    testing::internal::CaptureStderr();
    try {
        m.BuildPalette();
    } catch (TReturnCode code) {
        run.code = code;
    }
    run.errors = testing::internal::GetCapturedStderr();
    if (run.code == TRC_OK) {
        EXPECT_EQ(m.Buffer(), nullptr);
        EXPECT_EQ(dst.nDataSize, run.data.size());
    }
    return run;
}

std::vector<uint8_t> Colours(const std::vector<uint32_t>& values) {
    std::vector<uint8_t> bytes(values.size() * 4);
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
}

struct PaletteCase {
    const char* name;
    uint32_t format;
    uint32_t bits;
    uint32_t width;
    std::vector<uint32_t> pixels;
    size_t size;
};

TEST(BuildPalette, RgbaEntriesThenIndicesPackedWithoutRowPadding) {
    const uint32_t r = 0xFF0000FF, g = 0x8000FF00, b = 0xFFFF0000, w = 0xFFFFFFFF, k = 0xFF000000;
    const PaletteCase cases[] = {
        {"PAL8 2x2", PAL8_RGBA8888, 8, 2, {r, g, b, w}, 1024 + 4},
        {"PAL4 3x1", PAL4_RGBA8888, 4, 3, {r, g, b}, 64 + 2},
        {"PAL4 3x3", PAL4_RGBA8888, 4, 3, {r, g, b, w, k, r, g, b, w}, 64 + 5},
        {"PAL1 4x2", PAL1_RGBA8888, 1, 4, {w, k, k, w, k, w, w, k}, 8 + 1},
        {"PAL1 5x1", PAL1_RGBA8888, 1, 5, {w, k, w, w, w}, 8 + 1},
        {"PAL1 3x3", PAL1_RGBA8888, 1, 3, {k, k, w, w, k, k, k, k, w}, 8 + 2},
    };
    for (const PaletteCase& c : cases) {
        const PaletteRun run = BuildPaletteOf(c.format, c.width, Colours(c.pixels));
        ASSERT_EQ(run.code, TRC_OK) << c.name;
        ASSERT_EQ(run.data.size(), c.size) << c.name;
        const size_t entries = size_t(1) << c.bits;
        const size_t base = entries * 4;
        const uint32_t mask = (1u << c.bits) - 1;
        for (size_t i = 0; i < c.pixels.size(); ++i) {
            const size_t bit = i * c.bits;
            const uint32_t index = (run.data[base + bit / 8] >> (bit % 8)) & mask;
            EXPECT_EQ(Word(run.data, index * 4), c.pixels[i]) << c.name << " pixel " << i;
        }
        // Bits past the last index are 0.
        const size_t usedBits = c.pixels.size() * c.bits;
        if (usedBits % 8 != 0) {
            EXPECT_EQ(run.data.back() >> (usedBits % 8), 0) << c.name;
        }
        // Entries the quantizer did not produce are 0.
        for (size_t e = 0; e < entries; ++e) {
            bool used = false;
            for (uint32_t p : c.pixels) {
                used = used || Word(run.data, e * 4) == p;
            }
            EXPECT_TRUE(used || Word(run.data, e * 4) == 0) << c.name << " entry " << e;
        }
    }
}

TEST(BuildPalette, OneBitIndicesPutPixelZeroInBitZero) {
    // A translucent and an opaque colour: the translucent one is entry 0.
    const uint32_t t = 0x10FFFFFF, o = 0xFF000000;
    const PaletteRun run = BuildPaletteOf(PAL1_RGBA8888, 4, Colours({o, t, t, t, t, t, t, o}));
    ASSERT_EQ(run.code, TRC_OK);
    EXPECT_EQ(Word(run.data, 0), t);
    EXPECT_EQ(Word(run.data, 4), o);
    EXPECT_EQ(run.data[8], 0x81);
}

TEST(BuildPalette, FourBitIndicesPutPixelZeroInTheLowNibble) {
    const uint32_t t = 0x10FFFFFF, o = 0xFF000000;
    const PaletteRun run = BuildPaletteOf(PAL4_RGBA8888, 3, Colours({o, t, t}));
    ASSERT_EQ(run.code, TRC_OK);
    EXPECT_EQ(Word(run.data, 0), t);
    EXPECT_EQ(Word(run.data, 4), o);
    EXPECT_EQ(run.data[64], 0x01);
    EXPECT_EQ(run.data[65], 0x00);
}

TEST(BuildPalette, RefusesADestinationSmallerThanItsIndices) {
    const PaletteRun run = BuildPaletteOf(PAL4_RGBA8888, 3, Colours({1, 2, 3}), -1);
    EXPECT_EQ(run.code, TRC_BUFFER_TOO_SMALL);
    EXPECT_EQ(run.errors, "Morlune error: m_pDst->nDataSize is to small \n");
}

}  // namespace
