// The block library's FORMAT_ATC blocks against the ATC image encoder's.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "atc_fixtures.h"
#include "quenda.h"

namespace {

// Random pictures of flat patches, noise and dark-and-bright mixes, so that
// both colour modes turn up.
std::vector<uint8_t> RandomPicture(int width, int height, uint32_t seed) {
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    uint8_t patch[4][4] = {};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((x + y) % 5 == 0) {
                for (auto& colour : patch) {
                    for (uint8_t& channel : colour) {
                        channel = static_cast<uint8_t>(next());
                    }
                }
                patch[0][0] = patch[0][1] = patch[0][2] = static_cast<uint8_t>(next() % 24);
            }
            uint8_t* pixel = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            const uint32_t pick = next() % 8;
            for (int k = 0; k < 4; ++k) {
                pixel[k] = pick < 4 ? patch[pick][k] : static_cast<uint8_t>(next());
            }
        }
    }
    return pixels;
}

// The block library's FORMAT_ATC colour blocks are the image encoder's,
// texel for texel; with explicit alpha the whole 16-byte blocks agree.
TEST(QuendaIdentity, AtcColourBlocksEqualTheImageEncoders) {
    const struct {
        int width;
        int height;
    } sizes[] = {{4, 4}, {9, 7}, {16, 12}, {1, 1}, {5, 3}};
    uint32_t seed = 99;
    int blackModeBlocks = 0;
    for (const auto& s : sizes) {
        for (int round = 0; round < 6; ++round) {
            const std::vector<uint8_t> pixels = RandomPicture(s.width, s.height, seed++);
            const int32_t pitch = s.width * 4;
            std::vector<uint8_t> reference(16 * ((s.width + 3) / 4) * ((s.height + 3) / 4));
            uint32_t size = static_cast<uint32_t>(reference.size());
            ATI_TC_Header header{};
            ASSERT_EQ(
                ATI_TC_Encode(pixels.data(), kRed, kGreen, kBlue, kAlpha, s.width, s.height, pitch,
                              FLAG_ALPHA, FORMAT_ATC, &header, reference.data(), &size),
                RESULT_OK);
            const size_t blocks = reference.size() / 16;
            for (size_t b = 0; b < blocks; ++b) {
                blackModeBlocks += (reference[16 * b + 9] & 0x80) != 0;
            }
            for (uint32_t flags : {0u, 0x02u, 0x12u}) {
                const size_t blockBytes = flags == 0 ? 8 : 16;
                std::vector<uint8_t> library(blocks * blockBytes);
                size = static_cast<uint32_t>(library.size());
                ASSERT_EQ(QuendaEncode(pixels.data(), kRed, kGreen, kBlue, kAlpha, s.width,
                                       s.height, pitch, flags, FORMAT_ATC, library.data(), &size),
                          RESULT_OK);
                for (size_t b = 0; b < blocks; ++b) {
                    const uint8_t* expected = &reference[16 * b];
                    const uint8_t* actual = &library[blockBytes * b];
                    const uint8_t* actualColour = actual + blockBytes - 8;
                    ASSERT_TRUE(std::equal(expected + 8, expected + 16, actualColour))
                        << s.width << "x" << s.height << " round " << round << " flags " << flags
                        << " block " << b;
                    if (flags == FLAG_ALPHA) {
                        ASSERT_TRUE(std::equal(expected, expected + 8, actual))
                            << s.width << "x" << s.height << " round " << round << " block " << b;
                    }
                }
            }
        }
    }
    EXPECT_GT(blackModeBlocks, 0) << "the pictures should exercise black mode too";
}

}  // namespace
