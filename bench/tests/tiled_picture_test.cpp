#include "tiled_picture.h"

#include <gtest/gtest.h>

namespace {

// A picture whose every pixel names its picture and position.
Picture Numbered(uint8_t id, uint32_t width, uint32_t height) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            picture.rgba.insert(picture.rgba.end(),
                                {id, uint8_t(x), uint8_t(y), uint8_t(x >> 8 | y >> 8 << 4)});
        }
    }
    return picture;
}

const uint8_t* At(const Picture& picture, uint32_t x, uint32_t y) {
    return &picture.rgba[(size_t(y) * picture.width + x) * 4];
}

TEST(TiledPicture, CellsTakeThePicturesInTurnFromTheirMiddles) {
    const Picture wide = Numbered(1, 768, 512);
    const Picture small = Numbered(2, 100, 60);
    const Picture tiled = TilePictures({&wide, &small}, 1100);  // 3 x 3 cells, the last ones cut
    ASSERT_EQ(tiled.width, 1100u);
    ASSERT_EQ(tiled.rgba.size(), size_t(1100) * 1100 * 4);
    // Cell 0: the wide picture's middle 512 columns start at 128.
    EXPECT_EQ(At(tiled, 0, 0)[0], 1);
    EXPECT_EQ(At(tiled, 0, 0)[1], 128);
    EXPECT_EQ(At(tiled, 511, 511)[1], uint8_t(639));
    EXPECT_EQ(At(tiled, 511, 511)[2], uint8_t(511));
    // Cell 1: the small picture, repeated across the cell.
    EXPECT_EQ(At(tiled, 512, 0)[0], 2);
    EXPECT_EQ(At(tiled, 512 + 105, 61)[1], 5);
    EXPECT_EQ(At(tiled, 512 + 105, 61)[2], 1);
    // Cell 3 (second row, first column) takes the small one again: 3 mod 2.
    EXPECT_EQ(At(tiled, 0, 512)[0], 2);
    EXPECT_EQ(At(tiled, 1099, 1099)[0], 1);  // cell 8
}

}  // namespace
