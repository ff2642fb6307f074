// Direct destinations: pixels packed through the masks at the pitch, and
// the destination stage's check of the working image's size.
#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "engine_test_images.h"
#include "morlune_stages.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

// Packs pixels (a width x height working image) into destination, whose
// data is filled with 0xEE first so that untouched bytes show.
void Pack(TestImage& destination, const std::vector<Pixel>& pixels) {
    MorluneStages converter(nullptr, destination.get());
    destination.Allocate(converter.ImgSize(destination.get()), 0xEE);
    PixelBuffer buffer(new uint8_t[pixels.size() * 4]);
    for (size_t i = 0; i < pixels.size(); ++i) {
        std::copy(pixels[i].begin(), pixels[i].end(), buffer.get() + 4 * i);
    }
    converter.InstallBuffer(std::move(buffer), destination->nWidth, destination->nHeight, 4);
    converter.PackPixels();
}

struct PackCase {
    const char* name;
    uint32_t format;
    Pixel pixel;
    std::vector<uint8_t> bytes;  // the pixel as stored
};

void PrintTo(const PackCase& c, std::ostream* os) { *os << c.name; }

class PackOnePixel : public testing::TestWithParam<PackCase> {};

TEST_P(PackOnePixel, WritesItThroughTheMasks) {
    TestImage destination(1, 1, GetParam().format);
    Pack(destination, {GetParam().pixel});
    EXPECT_EQ(destination.data, GetParam().bytes);
    EXPECT_EQ(destination->nDataSize, GetParam().bytes.size());
}

INSTANTIATE_TEST_SUITE_P(
    PackPixels, PackOnePixel,
    testing::Values(PackCase{"RGB565Red", RGB565, {255, 0, 0, 255}, {0x00, 0xF8}},
                    PackCase{"RGB565DropsLowBits", RGB565, {0x84, 0x82, 0x08, 0}, {0x01, 0x84}},
                    PackCase{"RGBA5551", RGBA5551, {0, 0, 0, 0x80}, {0x01, 0x00}},
                    PackCase{"RGBA4444", RGBA4444, {0x1F, 0x2F, 0x3F, 0xFF}, {0x3F, 0x12}},
                    PackCase{"L8OrsTheColours", L8, {0x10, 0x20, 0x40, 0x99}, {0x70}},
                    PackCase{"A8", A8, {0x10, 0x20, 0x40, 0x99}, {0x99}},
                    PackCase{"LA88", LA88, {0x40, 0x40, 0x40, 0x80}, {0x80, 0x40}},
                    PackCase{"RGB888", RGB888, {1, 2, 3, 4}, {1, 2, 3}},
                    PackCase{"BGRA8888", BGRA8888, {1, 2, 3, 4}, {3, 2, 1, 4}},
                    // Channels wider than 8 bits repeat the byte into their lower bits.
                    PackCase{"L16Repeats", L16, {0xAB, 0xAB, 0xAB, 0}, {0xAB, 0xAB}},
                    PackCase{"L24Repeats", L24, {0xAB, 0xAB, 0xAB, 0}, {0xAB, 0xAB, 0xAB}},
                    PackCase{
                        "L24A8Repeats", L24A8, {0xAB, 0xAB, 0xAB, 0x12}, {0xAB, 0xAB, 0xAB, 0x12}},
                    PackCase{"L32Repeats", L32, {0xAB, 0xAB, 0xAB, 0}, {0xAB, 0xAB, 0xAB, 0xAB}}),
    [](const testing::TestParamInfo<PackCase>& info) { return info.param.name; });

TEST(PackPixels, CopiesRGBA8888AndKeepsTheDataSize) {
    TestImage destination(2, 1, RGBA8888);
    MorluneStages converter(nullptr, destination.get());
    destination.Allocate(12, 0xEE);  // larger than needed
    PixelBuffer buffer(new uint8_t[8]{1, 2, 3, 4, 5, 6, 7, 8});
    converter.InstallBuffer(std::move(buffer), 2, 1, 4);
    converter.PackPixels();
    EXPECT_EQ(destination.data,
              (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 0xEE, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(destination->nDataSize, 12u);
}

TEST(PackPixels, LeavesTheBytesPastEachRowAlone) {
    TestImage destination(2, 2, RGBA8888);
    destination.layout.nPitch = 4 * 2 + 4;
    Pack(destination, {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}});
    const std::vector<uint8_t> expected{1, 2,  3,  4,  5,  6,  7,  8,  0xEE, 0xEE, 0xEE, 0xEE,
                                        9, 10, 11, 12, 13, 14, 15, 16, 0xEE, 0xEE, 0xEE, 0xEE};
    EXPECT_EQ(destination.data, expected);
    EXPECT_EQ(destination->nDataSize, 24u);
}

TEST(PackPixels, FollowsMaskOverrides) {
    TestImage destination(1, 1, RGBA8888);
    destination.layout.nRedMask = 0xFF000000;
    destination.layout.nAlphaMask = 0x000000FF;
    Pack(destination, {{1, 2, 3, 4}});
    EXPECT_EQ(destination.data, (std::vector<uint8_t>{4, 2, 3, 1}));
}

TEST(EncodeDestination, RefusesAWorkingImageOfAnotherSize) {
    TestImage destination(2, 2, RGBA8888, std::vector<uint8_t>(16, 0xEE));
    MorluneStages converter(nullptr, destination.get());
    converter.InstallBuffer(PixelBuffer(new uint8_t[4 * 4 * 4]()), 4, 4, 4);
    EXPECT_THROW(converter.EncodeDestination(), TReturnCode);
    EXPECT_EQ(destination.data, std::vector<uint8_t>(16, 0xEE));
}

}  // namespace
