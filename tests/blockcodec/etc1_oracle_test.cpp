// Android's ETC1 library decodes what our encoder writes, to the very pixels
// our decoder gives.
#include <android/ETC1/etc1.h>
#include <gtest/gtest.h>

#include <vector>

#include "byte_order.h"
#include "etc1_codec.h"
#include "quenda.h"
#include "test_pixels.h"

namespace {

std::vector<uint8_t> Stored(const Etc1Words& words) {
    std::vector<uint8_t> bytes(8);
    StoreBigEndian32(bytes.data(), words.word1);
    StoreBigEndian32(bytes.data() + 4, words.word2);
    return bytes;
}

// Decodes a stored block both ways; returns whether the pixels agree.
::testing::AssertionResult DecodersAgree(const uint8_t stored[8]) {
    uint8_t oracle[ETC1_DECODED_BLOCK_SIZE];
    etc1_decode_block(stored, oracle);
    ColourBlock ours;
    Etc1DecodeBlock(LoadBigEndian32(stored), LoadBigEndian32(stored + 4), &ours);
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            if (ours.texel[i][c] != oracle[3 * i + c]) {
                return ::testing::AssertionFailure()
                       << "pixel " << i << " channel " << c << ": ours " << int(ours.texel[i][c])
                       << ", oracle " << int(oracle[3 * i + c]) << ", block " << std::hex
                       << LoadBigEndian32(stored) << " " << LoadBigEndian32(stored + 4);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(Etc1Oracle, DecodesEveryStructuredBlockWeEncode) {
    for (const ColourBlock& block : StructuredColourBlocks()) {
        EXPECT_TRUE(DecodersAgree(Stored(Etc1EncodeBlock(block)).data()));
    }
}

TEST(Etc1Oracle, DecodesEveryRandomBlockWeEncode) {
    PixelRandom random(21);
    for (int n = 0; n < 400; ++n) {
        EXPECT_TRUE(DecodersAgree(Stored(Etc1EncodeBlock(RandomColourBlock(random))).data()));
    }
}

TEST(Etc1Oracle, AgreesOnArbitraryBlocksIncludingWrappingDifferences) {
    PixelRandom random(22);
    for (int n = 0; n < 2000; ++n) {
        const Etc1Words words{random.Next(), random.Next()};
        EXPECT_TRUE(DecodersAgree(Stored(words).data()));
    }
}

double SquaredError(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double total = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = static_cast<double>(a[i]) - b[i];
        total += d * d;
    }
    return total;
}

// Whole images through both entry points against the oracle's image decoder.
void ExpectImageAgrees(const RgbaImage& image) {
    const uint32_t blocks = static_cast<uint32_t>((image.width + 3) / 4 * ((image.height + 3) / 4));
    std::vector<uint8_t> encoded(blocks * 8);
    uint32_t size = static_cast<uint32_t>(encoded.size());
    ASSERT_EQ(
        QuendaEncode(image.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, image.width,
                     image.height, image.width * 4, 0x01, FORMAT_ETC1_RGB8, encoded.data(), &size),
        RESULT_OK);
    ASSERT_EQ(size, encoded.size());
    const size_t pixels = static_cast<size_t>(image.width) * image.height;
    std::vector<uint8_t> ours(pixels * 3);
    ASSERT_EQ(QuendaDecode(FORMAT_ETC1_RGB8, image.width, image.height, 0x01, encoded.data(), 0,
                           ORDER_RGB, ours.data(), static_cast<uint32_t>(ours.size())),
              RESULT_OK);
    std::vector<uint8_t> oracle(pixels * 3);
    ASSERT_EQ(etc1_decode_image(encoded.data(), oracle.data(), image.width, image.height, 3,
                                image.width * 3),
              0);
    EXPECT_EQ(ours, oracle);
    // The blocks stay about as close to the picture as the oracle's own
    // encoder gets.
    std::vector<uint8_t> rgb(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
        std::copy(&image.rgba[4 * i], &image.rgba[4 * i] + 3, &rgb[3 * i]);
    }
    std::vector<uint8_t> reference(encoded.size());
    ASSERT_EQ(etc1_encode_image(rgb.data(), image.width, image.height, 3, image.width * 3,
                                reference.data()),
              0);
    std::vector<uint8_t> referenceDecoded(pixels * 3);
    ASSERT_EQ(etc1_decode_image(reference.data(), referenceDecoded.data(), image.width,
                                image.height, 3, image.width * 3),
              0);
    EXPECT_LE(SquaredError(ours, rgb), 1.25 * SquaredError(referenceDecoded, rgb));
}

TEST(Etc1Oracle, DecodesStructuredImagesOfOddSizes) {
    ExpectImageAgrees(StructuredImage(37, 21, 31));
    ExpectImageAgrees(StructuredImage(64, 64, 32));
    ExpectImageAgrees(StructuredImage(1, 1, 33));
}

TEST(Etc1Oracle, DecodesPhotographs) {
    const std::vector<RgbaImage> crops = CorpusCrops(48);
    if (crops.empty()) {
        GTEST_SKIP() << "no picture corpus beside the repository";
    }
    for (const RgbaImage& crop : crops) {
        ExpectImageAgrees(crop);
    }
}

}  // namespace
