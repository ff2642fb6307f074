// LoadImage: pictures through the picture library in their order and
// channels, and KTX and DDS inputs through the engine.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

struct Pixel {
    uint8_t red, green, blue, alpha;
};

// Saves a 32-bit picture whose pixel (x, y), y counted from the top, is
// pixel(x, y).
template <typename PixelAt>
void SavePicture(const std::string& path, FREE_IMAGE_FORMAT format, int width, int height,
                 PixelAt pixel) {
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32);
    ASSERT_NE(bitmap, nullptr);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Pixel p = pixel(x, y);
            RGBQUAD quad{p.blue, p.green, p.red, p.alpha};
            FreeImage_SetPixelColor(bitmap, unsigned(x), unsigned(height - 1 - y), &quad);
        }
    }
    ASSERT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
}

// Saves an already made bitmap and releases it.
void SaveBitmap(const std::string& path, FREE_IMAGE_FORMAT format, FIBITMAP* bitmap) {
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
}

std::string LoadMessage(const std::string& path) {
    Record image(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(LoadImage(path.c_str(), image.get(), message));
    return message;
}

TEST(LoadImage, PureRedPictureGivesRedFirstBytes) {
    TempDir dir;
    const std::string path = dir.File("red.png");
    SavePicture(path, FIF_PNG, 4, 4, [](int, int) { return Pixel{255, 0, 0, 255}; });
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
    EXPECT_EQ(image->nFormat, 1u);
    ASSERT_EQ(image->nDataSize, 64u);
    for (uint32_t i = 0; i < 64; i += 4) {
        EXPECT_EQ((Bytes(image->pData + i, image->pData + i + 4)), (Bytes{255, 0, 0, 255}));
    }
}

TEST(LoadImage, ThreeByTwoPictureStartsWithTheTopLeftPixel) {
    TempDir dir;
    const std::string path = dir.File("small.png");
    SavePicture(path, FIF_PNG, 3, 2, [](int x, int y) {
        return Pixel{uint8_t(10 + x), uint8_t(20 + y), uint8_t(30 + x + y), uint8_t(40 + x)};
    });
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
    EXPECT_EQ(image->nWidth, 3u);
    EXPECT_EQ(image->nHeight, 2u);
    ASSERT_EQ(image->nDataSize, 24u);
    EXPECT_EQ(RecordBytes(*image), (Bytes{10, 20, 30, 40, 11, 20, 31, 41, 12, 20, 32, 42,
                                          10, 21, 31, 40, 11, 21, 32, 41, 12, 21, 33, 42}));
}

TEST(LoadImage, PalettisedGreyscaleAndJPEGPicturesBecomeFormatOne) {
    TempDir dir;
    const std::string palettised = dir.File("palette.png");
    FIBITMAP* indexed = FreeImage_Allocate(4, 2, 8);
    RGBQUAD* palette = FreeImage_GetPalette(indexed);
    for (int i = 0; i < 256; ++i) {
        palette[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i / 2), 0};
    }
    for (unsigned y = 0; y < 2; ++y) {
        for (unsigned x = 0; x < 4; ++x) {
            BYTE index = BYTE(x * 60 + y);
            FreeImage_SetPixelIndex(indexed, x, y, &index);
        }
    }
    SaveBitmap(palettised, FIF_PNG, indexed);

    const std::string grey = dir.File("grey.png");
    FIBITMAP* greyscale = FreeImage_Allocate(4, 2, 8);
    RGBQUAD* ramp = FreeImage_GetPalette(greyscale);
    for (int i = 0; i < 256; ++i) {
        ramp[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
    }
    for (unsigned y = 0; y < 2; ++y) {
        BYTE* line = FreeImage_GetScanLine(greyscale, int(y));
        for (unsigned x = 0; x < 4; ++x) {
            line[x] = BYTE(100 + x);
        }
    }
    ASSERT_EQ(FreeImage_GetColorType(greyscale), FIC_MINISBLACK);
    SaveBitmap(grey, FIF_PNG, greyscale);

    const std::string jpeg = dir.File("photo.jpg");
    SaveBitmap(jpeg, FIF_JPEG, FreeImage_Allocate(4, 2, 24));

    for (const std::string& path : {palettised, grey, jpeg}) {
        SCOPED_TRACE(path);
        Record image(CreateTextureImage());
        ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
        EXPECT_EQ(image->nFormat, 1u);
        EXPECT_EQ(image->nWidth, 4u);
        EXPECT_EQ(image->nHeight, 2u);
        EXPECT_EQ(image->nDataSize, 32u);
    }

    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImage(palettised.c_str(), image.get(), nullptr));
    // Top-left pixel: bottom-up row 1, index 1, palette entry (blue 1, green 254, red 0).
    EXPECT_EQ((Bytes(image->pData, image->pData + 4)), (Bytes{0, 254, 1, 255}));
    ASSERT_TRUE(LoadImage(grey.c_str(), image.get(), nullptr));
    EXPECT_EQ((Bytes(image->pData + 4, image->pData + 8)), (Bytes{101, 101, 101, 255}));
}

// A DXT1 DDS file, a dialect only the picture library reads, stating the
// given size and holding the given block bytes.
Bytes DXT1File(uint32_t width, uint32_t height, const Bytes& blocks) {
    Bytes file(128, 0);
    PutWord(file, 0, 0x20534444);
    PutWord(file, 4, 124);
    PutWord(file, 8, 0x81007);
    PutWord(file, 12, height);
    PutWord(file, 16, width);
    PutWord(file, 20, uint32_t(blocks.size()));
    PutWord(file, 76, 32);
    PutWord(file, 80, 4);
    PutWord(file, 84, 0x31545844);  // "DXT1"
    PutWord(file, 108, 0x1000);
    file.insert(file.end(), blocks.begin(), blocks.end());
    return file;
}

// One block, both end points pure red (RGB565 0xF800), every index 0.
const Bytes kRedBlock{0x00, 0xF8, 0x00, 0xF8, 0, 0, 0, 0};

TEST(LoadImage, DXT1FileIsLoadedThroughThePictureLibrary) {
    TempDir dir;
    const std::string path = dir.File("red.dds");
    WriteFileBytes(path, DXT1File(4, 4, kRedBlock));
    Record image(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), message)) << message;
    EXPECT_EQ(image->nFormat, 1u);
    EXPECT_EQ(image->nWidth, 4u);
    ASSERT_EQ(image->nDataSize, 64u);
    EXPECT_EQ((Bytes(image->pData, image->pData + 4)), (Bytes{255, 0, 0, 255}));
}

// The picture library would allocate the stated picture before reading it:
// a DDS file that cannot hold its top level never reaches it.
TEST(LoadImage, ForeignDDSFileShorterThanItsHeaderStatesIsRefused) {
    TempDir dir;
    const Bytes shortBlock(kRedBlock.begin(), kRedBlock.end() - 1);
    WriteFileBytes(dir.File("short.dds"), DXT1File(4, 4, shortBlock));
    WriteFileBytes(dir.File("huge.dds"), DXT1File(60000, 60000, kRedBlock));
    EXPECT_EQ(LoadMessage(dir.File("short.dds")), "LoadImage: Image not supported by FreeImage.");
    EXPECT_EQ(LoadMessage(dir.File("huge.dds")), "LoadImage: Image not supported by FreeImage.");
}

TEST(LoadImage, ReportsUnknownAndUnreadableFiles) {
    TempDir dir;
    WriteFileBytes(dir.File("notes.xyz"), Bytes{'h', 'e', 'l', 'l', 'o'});
    WriteFileBytes(dir.File("texture.ktx"), Bytes(80, 0));
    WriteFileBytes(dir.File("broken.png"), Bytes{'h', 'e', 'l', 'l', 'o'});
    WriteFileBytes(dir.File("broken.dds"), Bytes{'D', 'D', 'S', ' '});
    EXPECT_EQ(LoadMessage(dir.File("notes.xyz")), "LoadImage: Unknown Format.");
    EXPECT_EQ(LoadMessage(dir.File("texture.ktx")), "LoadImage: Unknown Format.");
    EXPECT_EQ(LoadMessage(dir.File("absent.xyz")), "LoadImage: Unknown Format.");
    EXPECT_EQ(LoadMessage(dir.File("broken.png")), "LoadImage: Image not supported by FreeImage.");
    EXPECT_EQ(LoadMessage(dir.File("broken.dds")), "LoadImage: Image not supported by FreeImage.");
    EXPECT_EQ(LoadMessage(dir.File("absent.png")), "LoadImage: Image not supported by FreeImage.");
}

TEST(LoadImage, ReplacesThePreviousData) {
    TempDir dir;
    const std::string path = dir.File("blue.bmp");
    SavePicture(path, FIF_BMP, 1, 1, [](int, int) { return Pixel{0, 0, 255, 255}; });
    Record image = MakeRecord(23, 4, 4, 8);
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
    EXPECT_EQ(image->nFormat, 1u);
    EXPECT_EQ(RecordBytes(*image), (Bytes{0, 0, 255, 255}));
}

TEST(LoadBlankImage, IsOpaqueWhite) {
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadBlankImage(image.get(), 3, 2, nullptr));
    EXPECT_EQ(image->nFormat, 1u);
    EXPECT_EQ(image->nWidth, 3u);
    EXPECT_EQ(image->nHeight, 2u);
    EXPECT_EQ(RecordBytes(*image), Bytes(24, 0xFF));
    char message[kMessageBufferSize] = "";
    EXPECT_FALSE(LoadBlankImage(image.get(), 0x10000, 0x10000, message));
    EXPECT_STREQ(message, "LoadBlankImage: Out of memory.");
}

}  // namespace
