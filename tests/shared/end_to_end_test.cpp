// A picture through the tool to an ETC1 texture, decoded by Android's ETC1
// library.
#include <FreeImage.h>
#include <android/ETC1/etc1.h>
#include <gtest/gtest.h>

#include "process.h"
#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

TEST(EndToEnd, RedPictureCompressedToETC1DecodesToRed) {
    TempDir dir;
    const std::string input = dir.File("red.png");
    FIBITMAP* bitmap = FreeImage_Allocate(8, 8, 24);
    RGBQUAD red{0, 0, 255, 0};
    for (unsigned y = 0; y < 8; ++y) {
        for (unsigned x = 0; x < 8; ++x) {
            FreeImage_SetPixelColor(bitmap, x, y, &red);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, input.c_str(), 0));
    FreeImage_Unload(bitmap);

    const std::string output = dir.File("red.ktx");
    const ProcessResult run = RunVostrelCmd({input, output, "ETC1 RGB8"});
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    LevelArray levels(1);
    ASSERT_TRUE(LoadImageKTX(output.c_str(), levels.levels.data(), true, nullptr));
    ASSERT_EQ(levels.levels[0].nFormat, 25u);
    ASSERT_EQ(levels.levels[0].nDataSize, 32u);

    Bytes decoded(8 * 8 * 3);
    ASSERT_EQ(etc1_decode_image(levels.levels[0].pData, decoded.data(), 8, 8, 3, 8 * 3), 0);
    for (size_t i = 0; i < decoded.size(); i += 3) {
        EXPECT_GE(decoded[i], 240) << "pixel " << i / 3;
        EXPECT_LE(decoded[i + 1], 16) << "pixel " << i / 3;
        EXPECT_LE(decoded[i + 2], 16) << "pixel " << i / 3;
    }
}

}  // namespace
