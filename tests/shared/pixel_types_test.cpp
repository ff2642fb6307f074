// Pictures whose pixels are not 8-bit colour: 16-bit grey, float grey, RGB
// and RGBA, and pixel types that have no form here.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "morlune.h"
#include "process.h"
#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

// Writes a bitmap of the given type whose values, row after row from the top
// and channel after channel within a pixel, are values.
template <typename Value>
void SaveValues(const std::string& path, FREE_IMAGE_FORMAT format, FREE_IMAGE_TYPE type, int width,
                int height, const std::vector<Value>& values, int flags = 0) {
    FIBITMAP* bitmap = FreeImage_AllocateT(type, width, height);
    ASSERT_NE(bitmap, nullptr);
    const size_t rowValues = values.size() / size_t(height);
    for (int y = 0; y < height; ++y) {
        std::memcpy(FreeImage_GetScanLine(bitmap, height - 1 - y),
                    values.data() + size_t(y) * rowValues, rowValues * sizeof(Value));
    }
    ASSERT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), flags));
    FreeImage_Unload(bitmap);
}

Bytes Loaded(const std::string& path) {
    Record image(CreateTextureImage());
    char message[kMessageBufferSize] = "";
    EXPECT_TRUE(LoadImage(path.c_str(), image.get(), message)) << message;
    EXPECT_EQ(image->nFormat, 1u);
    return RecordBytes(*image);
}

// The engine's own conversion of a float record of the given format to
// format 1: what every float source gives.
Bytes EngineBytes(uint32_t format, uint32_t width, uint32_t height, std::vector<float> values) {
    TextureImage source{width,
                        height,
                        format,
                        nullptr,
                        uint32_t(values.size() * sizeof(float)),
                        reinterpret_cast<uint8_t*>(values.data())};
    Bytes out(size_t(width) * height * 4);
    TextureImage destination{width, height, RGBA8888, nullptr, uint32_t(out.size()), out.data()};
    EXPECT_EQ(MorluneConvert(&source, &destination), 0);
    return out;
}

// Top row 0x0000 0x00FF 0x0100, bottom row 0x7F80 0xFF00 0xFFFF.
const std::vector<uint16_t> kGreyValues{0x0000, 0x00FF, 0x0100, 0x7F80, 0xFF00, 0xFFFF};

struct GreyCase {
    const char* name;
    FREE_IMAGE_FORMAT format;
};

class SixteenBitGrey : public testing::TestWithParam<GreyCase> {};

TEST_P(SixteenBitGrey, KeepsEachValuesTopEightBitsOpaque) {
    TempDir dir;
    const std::string path = dir.File(std::string("height.") + GetParam().name);
    SaveValues(path, GetParam().format, FIT_UINT16, 3, 2, kGreyValues);
    EXPECT_EQ(Loaded(path),
              (Bytes{0,    0,    0,    255, 0,    0,    0,    255, 1,    1,    1,    255,
                     0x7F, 0x7F, 0x7F, 255, 0xFF, 0xFF, 0xFF, 255, 0xFF, 0xFF, 0xFF, 255}));
}

INSTANTIATE_TEST_SUITE_P(Formats, SixteenBitGrey,
                         testing::Values(GreyCase{"png", FIF_PNG}, GreyCase{"tif", FIF_TIFF}),
                         [](const testing::TestParamInfo<GreyCase>& info) {
                             return info.param.name;
                         });

TEST(SixteenBitGrey, GivesTheSameBytesAsTheSamePictureInSixteenBitRGB) {
    TempDir dir;
    std::vector<uint16_t> rgb;
    for (uint16_t value : kGreyValues) {
        rgb.insert(rgb.end(), {value, value, value});
    }
    SaveValues(dir.File("grey.png"), FIF_PNG, FIT_UINT16, 3, 2, kGreyValues);
    SaveValues(dir.File("rgb.png"), FIF_PNG, FIT_RGB16, 3, 2, rgb);
    EXPECT_EQ(Loaded(dir.File("grey.png")), Loaded(dir.File("rgb.png")));
}

struct FloatCase {
    const char* name;
    FREE_IMAGE_TYPE type;
    uint32_t channels;
    uint32_t engineFormat;
    FREE_IMAGE_FORMAT format;
    const char* extension;
    int flags;
};

void PrintTo(const FloatCase& c, std::ostream* os) { *os << c.name; }

// 0.35, 1.5 and -0.2 in every channel position, 3 x 2 pixels.
std::vector<float> FloatValues(uint32_t channels) {
    const float cycle[] = {0.35f, 1.5f, -0.2f, 1.0f};
    std::vector<float> values(6 * channels);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = cycle[(i + i / 4) % 4];
    }
    return values;
}

class FloatPicture : public testing::TestWithParam<FloatCase> {};

TEST_P(FloatPicture, SaturatesAsTheEnginesFloatSources) {
    const FloatCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File(std::string("values.") + c.extension);
    const std::vector<float> values = FloatValues(c.channels);
    SaveValues(path, c.format, c.type, 3, 2, values, c.flags);
    const Bytes loaded = Loaded(path);
    EXPECT_EQ(loaded, EngineBytes(c.engineFormat, 3, 2, values));
    // FloatToByte(0.35) is 89; 1.5 saturates to 255, -0.2 to 0; a picture
    // without alpha is opaque.
    ASSERT_EQ(loaded.size(), 24u);
    for (size_t pixel = 0; pixel < 6; ++pixel) {
        for (size_t channel = 0; channel < 4; ++channel) {
            const uint8_t byte = loaded[pixel * 4 + channel];
            if (channel == 3 && c.channels < 4) {
                EXPECT_EQ(byte, 255) << "pixel " << pixel;
                continue;
            }
            const float value = values[pixel * c.channels + (c.channels == 1 ? 0 : channel)];
            const uint8_t expected = value > 1.0f    ? 255
                                     : value < 0.0f  ? 0
                                     : value == 1.0f ? 255
                                                     : 89;
            EXPECT_EQ(byte, expected) << "pixel " << pixel << " channel " << channel;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Types, FloatPicture,
    testing::Values(FloatCase{"GreyTIFF", FIT_FLOAT, 1, L32F, FIF_TIFF, "tif", 0},
                    FloatCase{"RGBTIFF", FIT_RGBF, 3, RGB32F, FIF_TIFF, "tif", 0},
                    FloatCase{"RGBATIFF", FIT_RGBAF, 4, RGBA32F, FIF_TIFF, "tif", 0},
                    FloatCase{"RGBAEXR", FIT_RGBAF, 4, RGBA32F, FIF_EXR, "exr", EXR_FLOAT}),
    [](const testing::TestParamInfo<FloatCase>& info) { return info.param.name; });

// Wider than one strip of the engine's conversion: every row lands in its
// own place.
TEST(FloatPicture, ManyRowsGiveTheWholePictureConversion) {
    TempDir dir;
    const uint32_t width = 300;
    const uint32_t height = 301;
    std::vector<float> values(size_t(width) * height * 3);
    for (size_t i = 0; i < values.size(); ++i) {
        values[i] = float(i % 1021) / 1000.0f;
    }
    const std::string path = dir.File("ramp.tif");
    SaveValues(path, FIF_TIFF, FIT_RGBF, int(width), int(height), values);
    EXPECT_EQ(Loaded(path), EngineBytes(RGB32F, width, height, values));
}

TEST(FloatPicture, RadianceHDRLoadsThroughTheFloatRoute) {
    TempDir dir;
    const std::vector<float> values{0.5f, 2.0f, 0.0f, 0.25f, 0.25f, 0.25f};
    SaveValues(dir.File("sky.hdr"), FIF_HDR, FIT_RGBF, 2, 1, values);
    EXPECT_EQ(Loaded(dir.File("sky.hdr")), (Bytes{127, 255, 0, 255, 63, 63, 63, 255}));
}

TEST(LoadImage, PixelTypesWithoutAnRGBAFormAreNamed) {
    TempDir dir;
    SaveValues(dir.File("signed.tif"), FIF_TIFF, FIT_INT16, 2, 1, std::vector<int16_t>{-5, 7});
    SaveValues(dir.File("wide.tif"), FIF_TIFF, FIT_UINT32, 2, 1, std::vector<uint32_t>{5, 7});
    SaveValues(dir.File("double.tif"), FIF_TIFF, FIT_DOUBLE, 2, 1, std::vector<double>{0.5, 1.0});
    for (const char* name : {"signed.tif", "wide.tif", "double.tif"}) {
        SCOPED_TRACE(name);
        Record image(CreateTextureImage());
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(LoadImage(dir.File(name).c_str(), image.get(), message));
        EXPECT_STREQ(message, "LoadImage: Pixel type not supported.");
    }
}

// Through the real executable: the texture written is the 3DC X compression
// of the bytes that LoadImage gives.
TEST(PixelTypes, CompressThroughTheToolToThreeDCX) {
    TempDir dir;
    std::vector<uint16_t> grey(64 * 64);
    std::vector<float> floats(64 * 64);
    for (size_t i = 0; i < grey.size(); ++i) {
        grey[i] = uint16_t(i * 977);
        floats[i] = float(i % 97) / 64.0f - 0.2f;
    }
    SaveValues(dir.File("height.png"), FIF_PNG, FIT_UINT16, 64, 64, grey);
    SaveValues(dir.File("height.tif"), FIF_TIFF, FIT_UINT16, 64, 64, grey);
    SaveValues(dir.File("values.tif"), FIF_TIFF, FIT_FLOAT, 64, 64, floats);
    uint32_t format = 0;
    ASSERT_TRUE(ParseCompressionType("3DC X", &format));
    for (const char* name : {"height.png", "height.tif", "values.tif"}) {
        SCOPED_TRACE(name);
        const std::string output = dir.File(std::string(name) + ".ktx");
        const ProcessResult run = RunVostrelCmd({dir.File(name), output, "3DC X"});
        ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
        LevelArray levels(1);
        ASSERT_TRUE(LoadImageKTX(output.c_str(), levels.levels.data(), true, nullptr));

        Record source(CreateTextureImage());
        ASSERT_TRUE(LoadImage(dir.File(name).c_str(), source.get(), nullptr));
        Record expected(CreateTextureImage());
        ASSERT_TRUE(Compress(source.get(), expected.get(), format, 64, 64, nullptr));
        EXPECT_EQ(levels.levels[0].nFormat, format);
        EXPECT_EQ(RecordBytes(levels.levels[0]), RecordBytes(*expected));
    }
}

}  // namespace
