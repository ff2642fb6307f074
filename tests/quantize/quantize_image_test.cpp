// QuantizeImage whole, and its palette order and scaling: few colours kept
// exactly, translucent entries first, too many colours halved.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "color_hash_table.h"
#include "mapping.h"
#include "palette_order.h"
#include "quantize.h"

namespace {

constexpr uint8_t kUntouched = 0xAB;

struct Quantized {
    bool ok;
    std::vector<uint8_t> indices;
    std::vector<uint8_t> palette;
};

Quantized Quantize(std::vector<uint8_t> pixels, uint32_t colours, uint32_t width, uint32_t height) {
    Quantized q;
    q.indices.assign(size_t(width) * height, kUntouched);
    q.palette.assign(size_t(colours) * 4, kUntouched);
    q.ok = QuantizeImage(pixels.data(), q.indices.data(), q.palette.data(), colours, width, height);
    return q;
}

uint32_t Entry(const std::vector<uint8_t>& palette, uint32_t index) {
    uint32_t value;
    std::memcpy(&value, palette.data() + 4 * index, 4);
    return value;
}

uint32_t Pixel(const std::vector<uint8_t>& pixels, size_t i) {
    uint32_t value;
    std::memcpy(&value, pixels.data() + 4 * i, 4);
    return value;
}

TEST(QuantizeImage, FewColoursAreKeptExactlyAndTheRestOfThePaletteIsUntouched) {
    const std::vector<uint8_t> pixels = {10, 20, 30, 255, 200, 0, 0, 255, 10, 20, 30, 255,
                                         0,  90, 0,  255, 200, 0, 0, 255, 0,  90, 0,  255};
    const Quantized q = Quantize(pixels, 16, 3, 2);
    ASSERT_TRUE(q.ok);
    std::set<uint32_t> entries;
    for (uint32_t i = 0; i < 3; ++i) {
        entries.insert(Entry(q.palette, i));
    }
    EXPECT_EQ(entries, (std::set<uint32_t>{Pixel(pixels, 0), Pixel(pixels, 1), Pixel(pixels, 3)}));
    for (size_t i = 12; i < q.palette.size(); ++i) {
        EXPECT_EQ(q.palette[i], kUntouched) << i;
    }
    for (size_t i = 0; i < 6; ++i) {
        ASSERT_LT(q.indices[i], 3);
        EXPECT_EQ(Entry(q.palette, q.indices[i]), Pixel(pixels, i)) << i;
    }
}

TEST(QuantizeImage, OneColourGivesOneEntryAndIndicesOfZero) {
    std::vector<uint8_t> pixels;
    for (int i = 0; i < 5; ++i) {
        pixels.insert(pixels.end(), {7, 8, 9, 100});
    }
    const Quantized q = Quantize(pixels, 4, 5, 1);
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.indices, std::vector<uint8_t>(5, 0));
    EXPECT_EQ(std::vector<uint8_t>(q.palette.begin(), q.palette.begin() + 4),
              (std::vector<uint8_t>{7, 8, 9, 100}));
    EXPECT_EQ(std::vector<uint8_t>(q.palette.begin() + 4, q.palette.end()),
              std::vector<uint8_t>(12, kUntouched));
}

TEST(QuantizeImage, TranslucentEntriesComeFirst) {
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < 12; ++i) {
        pixels.insert(pixels.end(), {uint8_t(i * 20), uint8_t(255 - i * 20), uint8_t(i),
                                     uint8_t(i % 3 == 0 ? 128 : 255)});
    }
    const Quantized q = Quantize(pixels, 16, 4, 3);
    ASSERT_TRUE(q.ok);
    for (uint32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(q.palette[4 * i + 3], i < 4 ? 128 : 255) << i;
        EXPECT_EQ(Entry(q.palette, q.indices[i]), Pixel(pixels, i)) << i;
    }
}

TEST(OrderTranslucentFirst, OpaqueColoursFillFromTheBack) {
    const QuantPixel colours[] = {
        {{0, 0, 0, 127}}, {{0, 0, 0, 5}}, {{0, 0, 0, 127}}, {{0, 0, 0, 126}}, {{0, 0, 0, 127}}};
    uint8_t order[5];
    OrderTranslucentFirst(colours, 5, 127, order);
    EXPECT_EQ(std::vector<uint8_t>(order, order + 5), (std::vector<uint8_t>{4, 0, 3, 1, 2}));
}

TEST(WritePalette, ScalesBackFromMaxval) {
    const QuantPixel colours[] = {{{127, 0, 1, 63}}, {{64, 126, 2, 127}}};
    const uint8_t order[] = {1, 0};
    uint8_t palette[8];
    WritePalette(colours, order, 2, 127, palette);
    // (v * 255 + 63) / 127
    EXPECT_EQ(std::vector<uint8_t>(palette, palette + 8),
              (std::vector<uint8_t>{129, 253, 4, 255, 255, 0, 2, 126}));
}

// 200 x 200 pixels, all of them distinct, alpha opaque and channel 2 full.
std::vector<uint8_t> ManyColours() {
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < 40000; ++i) {
        pixels.insert(pixels.end(), {uint8_t(i & 255), uint8_t(i >> 8), 255, 255});
    }
    return pixels;
}

TEST(QuantizeImage, TooManyColoursAreCountedAtMaxval127AndScaledBack) {
    const Quantized q = Quantize(ManyColours(), 256, 200, 200);
    ASSERT_TRUE(q.ok);
    std::set<uint8_t> scaled;
    for (uint32_t v = 0; v <= 127; ++v) {
        scaled.insert(uint8_t((v * 255 + 63) / 127));
    }
    for (uint32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(q.palette[4 * i + 2], 255) << i;
        EXPECT_EQ(q.palette[4 * i + 3], 255) << i;
        EXPECT_TRUE(scaled.count(q.palette[4 * i]) && scaled.count(q.palette[4 * i + 1])) << i;
    }
    EXPECT_NE(q.palette[0], 255);  // not a plain copy of 8-bit channels
}

TEST(QuantizeImage, StillTooManyColoursHalvesMaxvalAgain) {
    // 65536 distinct colours that keep more than 32767 apart at maxval 127.
    std::vector<uint8_t> pixels;
    for (uint32_t i = 0; i < 65536; ++i) {
        pixels.insert(pixels.end(), {uint8_t(i & 255), uint8_t(i >> 8), uint8_t(i * 7), 255});
    }
    const Quantized q = Quantize(pixels, 256, 256, 256);
    ASSERT_TRUE(q.ok);
    std::set<uint8_t> scaled;
    for (uint32_t v = 0; v <= 63; ++v) {
        scaled.insert(uint8_t((v * 255 + 31) / 63));
    }
    for (uint32_t i = 0; i < 1024; ++i) {
        EXPECT_TRUE(scaled.count(q.palette[i])) << i;
    }
}

TEST(NearestColour, EqualDistancesPickTheEarlierColour) {
    const QuantPixel colours[] = {{{9, 0, 0, 0}}, {{10, 0, 0, 0}}, {{20, 0, 0, 0}}};
    EXPECT_EQ(NearestColour({{15, 0, 0, 0}}, colours, 3), 1u);
    EXPECT_EQ(NearestColour({{15, 0, 0, 0}}, colours + 1, 2), 0u);
    EXPECT_EQ(NearestColour({{19, 0, 0, 0}}, colours, 3), 2u);
}

TEST(MapPixels, WritesTheReorderedIndexOfTheNearestColour) {
    const QuantPixel colours[] = {{{0, 0, 0, 0}}, {{100, 100, 100, 100}}};
    const uint8_t order[] = {1, 0};
    const QuantPixel pixels[] = {{{90, 90, 90, 90}}, {{1, 1, 1, 1}}, {{90, 90, 90, 90}}};
    uint8_t indices[3];
    MapPixels(pixels, 3, colours, order, 2, indices);
    EXPECT_EQ(std::vector<uint8_t>(indices, indices + 3), (std::vector<uint8_t>{0, 1, 0}));
}

TEST(QuantizeImage, RejectsColourCountsOutsideOneTo256) {
    const std::vector<uint8_t> pixels = {1, 2, 3, 4};
    EXPECT_FALSE(Quantize(pixels, 0, 1, 1).ok);
    EXPECT_FALSE(Quantize(pixels, 257, 1, 1).ok);
    EXPECT_TRUE(Quantize(pixels, 256, 1, 1).ok);
}

TEST(QuantizeImage, EmptyImageLeavesThePaletteAlone) {
    const Quantized q = Quantize({}, 4, 0, 3);
    ASSERT_TRUE(q.ok);
    EXPECT_EQ(q.palette, std::vector<uint8_t>(16, kUntouched));
}

}  // namespace
