// libsquish decodes our single-channel blocks as the alpha half of DXT5
// blocks, within 1 of our decoder: it rounds its interpolation differently.
#include <gtest/gtest.h>
#include <squish.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "quenda.h"
#include "single_channel_codec.h"
#include "test_pixels.h"

namespace {

// Any colour half will do behind the alpha half.
constexpr uint8_t kColourHalf[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4};

::testing::AssertionResult DecodersAgreeWithinOne(const uint8_t block[8]) {
    uint8_t dxt5[16];
    std::copy(block, block + 8, dxt5);
    std::copy(kColourHalf, kColourHalf + 8, dxt5 + 8);
    uint8_t rgba[64];
    squish::Decompress(rgba, dxt5, squish::kDxt5);
    uint8_t ours[16];
    SingleChannelDecodeBlock(block, ours);
    for (int k = 0; k < 16; ++k) {
        if (std::abs(static_cast<int>(ours[k]) - rgba[4 * k + 3]) > 1) {
            return ::testing::AssertionFailure()
                   << "value " << k << ": ours " << int(ours[k]) << ", oracle "
                   << int(rgba[4 * k + 3]) << ", endpoints " << int(block[0]) << " "
                   << int(block[1]);
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(SingleChannelOracle, DecodesEveryBlockWeEncode) {
    PixelRandom random(41);
    for (const ChannelValues& values : StructuredChannelBlocks(random, 600)) {
        uint8_t block[8];
        SingleChannelEncodeBlock(values.data(), block);
        EXPECT_TRUE(DecodersAgreeWithinOne(block));
        uint8_t decoded[16];
        SingleChannelDecodeBlock(block, decoded);
        for (int k = 0; k < 16; ++k) {
            EXPECT_NEAR(decoded[k], values[k], 24) << k;
        }
    }
}

TEST(SingleChannelOracle, AgreesOnArbitraryBlocks) {
    PixelRandom random(42);
    for (int n = 0; n < 2000; ++n) {
        uint8_t block[8];
        for (uint8_t& byte : block) {
            byte = random.Byte();
        }
        // Equal endpoints make a flat block whatever the indices say; the
        // encoder writes such blocks with indices 0 only.
        if (n % 7 == 0) {
            block[1] = block[0];
        }
        if (block[0] == block[1]) {
            std::fill(block + 2, block + 8, 0);
        }
        EXPECT_TRUE(DecodersAgreeWithinOne(block));
    }
}

// Encodes the picture through the entry point and checks each stored
// single-channel block against the oracle and against the channel it holds.
void ExpectChannelsAgree(const RgbaImage& image, uint32_t format) {
    const uint32_t blockBytes = format == FORMAT_3DC_XY ? 16 : 8;
    const int blocksAcross = (image.width + 3) / 4;
    const int blocksDown = (image.height + 3) / 4;
    std::vector<uint8_t> encoded(static_cast<size_t>(blocksAcross) * blocksDown * blockBytes);
    uint32_t size = static_cast<uint32_t>(encoded.size());
    ASSERT_EQ(QuendaEncode(image.rgba.data(), 0xFF, 0xFF00, 0xFF0000, 0xFF000000, image.width,
                           image.height, image.width * 4, 0, format, encoded.data(), &size),
              RESULT_OK);
    ASSERT_EQ(size, encoded.size());
    for (int by = 0; by < blocksDown; ++by) {
        for (int bx = 0; bx < blocksAcross; ++bx) {
            const uint8_t* stored =
                &encoded[(static_cast<size_t>(by) * blocksAcross + bx) * blockBytes];
            const ColourBlock pixels = ImageBlock(image, 4 * bx, 4 * by);
            // 3DC XY: green block first, then red; 3DC X: red alone.
            const std::vector<int> channels =
                format == FORMAT_3DC_XY ? std::vector<int>{1, 0} : std::vector<int>{0};
            for (size_t half = 0; half < channels.size(); ++half) {
                const uint8_t* block = stored + 8 * half;
                ASSERT_TRUE(DecodersAgreeWithinOne(block));
                uint8_t decoded[16];
                SingleChannelDecodeBlock(block, decoded);
                for (int k = 0; k < 16; ++k) {
                    ASSERT_NEAR(decoded[k], pixels.texel[k][channels[half]], 24)
                        << "block " << bx << "," << by << " channel " << channels[half] << " value "
                        << k;
                }
            }
        }
    }
}

TEST(SingleChannelOracle, ThreeDcXAndBothHalvesOfXY) {
    for (uint32_t format : {FORMAT_3DC_X, FORMAT_3DC_XY}) {
        ExpectChannelsAgree(StructuredImage(29, 18, 51), format);
        ExpectChannelsAgree(StructuredImage(3, 5, 52), format);
    }
}

TEST(SingleChannelOracle, ThreeDcOfPhotographs) {
    const std::vector<RgbaImage> crops = CorpusCrops(32);
    if (crops.empty()) {
        GTEST_SKIP() << "no picture corpus beside the repository";
    }
    for (const RgbaImage& crop : crops) {
        ExpectChannelsAgree(crop, FORMAT_3DC_X);
        ExpectChannelsAgree(crop, FORMAT_3DC_XY);
    }
}

}  // namespace
