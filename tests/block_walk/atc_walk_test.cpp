// The FORMAT_ATC paths of the walk: which routine makes each half of a block
// and how their results are stored, and the same blocks from the block
// library and the ATC image encoder, which both walk through it, for every
// source layout the ATC encoder accepts.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "atc.h"
#include "byte_order.h"
#include "quenda.h"
#include "single_channel_codec.h"
#include "test_pixels.h"

namespace {

AlphaBlock ImageAlpha(const RgbaImage& image) {
    AlphaBlock alpha;
    for (int i = 0; i < 16; ++i) {
        alpha.alpha[i] = image.rgba[4 * i + 3];
    }
    return alpha;
}

std::vector<uint8_t> EncodeAtc(const RgbaImage& image, uint32_t flags) {
    std::vector<uint8_t> out(16);
    uint32_t size = 16;
    EXPECT_EQ(QuendaEncode(image.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, 4, 4, 16, flags,
                           FORMAT_ATC, out.data(), &size),
              RESULT_OK);
    out.resize(size);
    return out;
}

void ExpectColourBlock(const RgbaImage& image, const uint8_t* stored) {
    uint16_t colour0 = 0;
    uint16_t colour1 = 0;
    const uint32_t indices = AtcEncodeColourBlock(ImageBlock(image, 0, 0), &colour0, &colour1);
    EXPECT_EQ(LoadLittleEndian32(stored), static_cast<uint32_t>(colour1) << 16 | colour0);
    EXPECT_EQ(LoadLittleEndian32(stored + 4), indices);
}

TEST(AtcWalk, ColourBlockAloneWithoutAlpha) {
    const RgbaImage image = StructuredImage(4, 4, 61);
    const std::vector<uint8_t> out = EncodeAtc(image, 0);
    ASSERT_EQ(out.size(), 8u);
    ExpectColourBlock(image, out.data());
}

TEST(AtcWalk, InterpolatedAlphaBlockComesFirst) {
    const RgbaImage image = StructuredImage(4, 4, 62);
    const std::vector<uint8_t> out = EncodeAtc(image, 0x12);
    ASSERT_EQ(out.size(), 16u);
    uint8_t alphaBlock[8];
    SingleChannelEncodeBlock(ImageAlpha(image).alpha, alphaBlock);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              std::vector<uint8_t>(alphaBlock, alphaBlock + 8));
    ExpectColourBlock(image, out.data() + 8);
}

TEST(AtcWalk, ExplicitAlphaBlockComesFirst) {
    const RgbaImage image = StructuredImage(4, 4, 63);
    const std::vector<uint8_t> out = EncodeAtc(image, FLAG_ALPHA);
    ASSERT_EQ(out.size(), 16u);
    uint8_t alphaBlock[8];
    AtcPackExplicitAlpha(ImageAlpha(image), alphaBlock);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8),
              std::vector<uint8_t>(alphaBlock, alphaBlock + 8));
    ExpectColourBlock(image, out.data() + 8);
}

TEST(AtcWalk, DecodeHandsTheStoredWordsToTheAtcRoutines) {
    const uint8_t stored[16] = {
        200,  20,   0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC,  // interpolated alpha
        0x63, 0x0C, 0x3C, 0xE7, 0x00, 0x55, 0xAA, 0xFF};
    ColourBlock colour;
    AtcDecodeColourBlock(0xFFAA5500, 0x0C63, 0xE73C, &colour);
    uint8_t alpha[16];
    SingleChannelDecodeBlock(stored, alpha);
    std::vector<uint8_t> decoded(64);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, 0x12, stored, 0, ORDER_RGB, decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(decoded[4 * i + c], colour.texel[i][c]);
        }
        EXPECT_EQ(decoded[4 * i + 3], alpha[i]);
    }

    AlphaBlock explicitAlpha;
    AtcUnpackExplicitAlpha(stored, &explicitAlpha);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, FLAG_ALPHA, stored, 0, ORDER_RGB, decoded.data(), 64),
              RESULT_OK);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(decoded[4 * i + 3], explicitAlpha.alpha[i]);
    }

    std::vector<uint8_t> rgb(48);
    ASSERT_EQ(QuendaDecode(FORMAT_ATC, 4, 4, 0, stored + 8, 0, ORDER_RGB, rgb.data(), 48),
              RESULT_OK);
    EXPECT_EQ(rgb, std::vector<uint8_t>(&colour.texel[0][0], &colour.texel[0][0] + 48));
}

// Pixels of pixelBytes bytes each, random but for a few fully transparent
// and fully opaque ones.
std::vector<uint8_t> RandomPixels(int width, int height, uint32_t pixelBytes, uint64_t seed) {
    PixelRandom random(seed);
    std::vector<uint8_t> bytes(static_cast<size_t>(width) * height * pixelBytes);
    for (uint8_t& byte : bytes) {
        const uint32_t pick = random.Below(8);
        byte = pick == 0 ? 0 : pick == 1 ? 255 : random.Byte();
    }
    return bytes;
}

TEST(AtcWalk, LibraryAndImageEncoderWriteTheSameBlocksForEveryAcceptedLayout) {
    struct Layout {
        const char* name;
        uint32_t masks[4];
        uint32_t pixelBytes;
    };
    const Layout layouts[] = {
        {"RGBA8888", {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 4},
        {"BGRA8888", {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 4},
        {"RGB888", {0xFF, 0xFF00, 0xFF0000, 0}, 3},
        {"ARGB4444", {0xF00, 0xF0, 0xF, 0xF000}, 2},
        {"ARGB1555", {0x7C00, 0x3E0, 0x1F, 0x8000}, 2},
        {"RGB565", {0xF800, 0x7E0, 0x1F, 0}, 2},
        {"RGB332", {0xE0, 0x1C, 0x3, 0}, 1},
    };
    const struct {
        int width;
        int height;
    } sizes[] = {{4, 4}, {7, 5}, {13, 9}};
    uint64_t seed = 7;
    for (const Layout& layout : layouts) {
        for (const auto& size : sizes) {
            const std::vector<uint8_t> pixels =
                RandomPixels(size.width, size.height, layout.pixelBytes, seed++);
            const int32_t pitch = size.width * static_cast<int32_t>(layout.pixelBytes);
            const uint32_t blocks = ((size.width + 3) / 4) * ((size.height + 3) / 4);
            for (uint32_t flags : {FLAG_NO_ALPHA, FLAG_ALPHA}) {
                const uint32_t bytes = blocks * (flags == FLAG_ALPHA ? 16 : 8);
                std::vector<uint8_t> image(bytes, 0xAB);
                uint32_t imageSize = bytes;
                ATI_TC_Header header{};
                ASSERT_EQ(
                    ATI_TC_Encode(pixels.data(), layout.masks[0], layout.masks[1], layout.masks[2],
                                  layout.masks[3], size.width, size.height, pitch, flags,
                                  FORMAT_ATC, &header, image.data(), &imageSize),
                    RESULT_OK)
                    << layout.name;
                std::vector<uint8_t> library(bytes, 0xCD);
                uint32_t librarySize = bytes;
                ASSERT_EQ(QuendaEncode(pixels.data(), layout.masks[0], layout.masks[1],
                                       layout.masks[2], layout.masks[3], size.width, size.height,
                                       pitch, flags, FORMAT_ATC, library.data(), &librarySize),
                          RESULT_OK)
                    << layout.name;
                EXPECT_EQ(librarySize, bytes);
                EXPECT_TRUE(image == library)
                    << layout.name << " " << size.width << "x" << size.height << " flags " << flags;
            }
        }
    }
}

}  // namespace
