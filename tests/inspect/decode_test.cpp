// decode through the real executable: every type decodes as the engine
// decodes it (and ETC1 as Android's decoder does), sheets hold each level in
// its place, zoom repeats pixels, and failures name the file.
#include <android/ETC1/etc1.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "inspect_fixtures.h"
#include "shared.h"
#include "temp_dir.h"

namespace {

// Every level of a KTX file decoded by the engine in the test's own process.
std::vector<Picture> EngineLevels(const std::string& path) {
    uint32_t count = 0;
    EXPECT_TRUE(ValidateKTXImage(path.c_str(), &count, nullptr));
    std::vector<PixelLayout> layouts(count);
    std::vector<TextureImage> levels(count);
    for (uint32_t i = 0; i < count; ++i) {
        levels[i].pPixelLayout = &layouts[i];
    }
    EXPECT_TRUE(LoadImageKTX(path.c_str(), levels.data(), false, nullptr));
    std::vector<Picture> pictures;
    for (TextureImage& level : levels) {
        TextureImage* decoded = CreateTextureImage();
        EXPECT_TRUE(Decompress(&level, decoded, level.nWidth, level.nHeight, nullptr));
        pictures.push_back({decoded->nWidth, decoded->nHeight,
                            Bytes(decoded->pData, decoded->pData + decoded->nDataSize)});
        FreeTextureImage(decoded);
        std::free(level.pData);
    }
    return pictures;
}

class Decode : public ::testing::Test {
  protected:
    void SetUp() override { WritePicture(m_dir.File("in.tga"), PatternPicture(16, 8)); }

    // decode with arguments after the texture and output; the written picture.
    Picture DecodeTo(const std::string& texture, const std::vector<std::string>& options) {
        const std::string out = m_dir.File("out.png");
        std::vector<std::string> arguments = {"decode", texture, out};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const ProcessResult run = RunVostrelInspect(arguments);
        EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
        EXPECT_EQ(run.errorOutput, "");
        return ReadPicture(out);
    }

    TempDir m_dir;
};

TEST_F(Decode, EveryTypeDecodesAsTheEngineDecodesIt) {
    for (const TextureType& type : kTextureTypes) {
        SCOPED_TRACE(type.name);
        const std::string texture = m_dir.File("typed.ktx");
        MakeTexture(m_dir.File("in.tga"), texture, type.name, {"yes"});
        const std::vector<Picture> engine = EngineLevels(texture);
        ASSERT_EQ(engine.size(), 5u);
        for (const uint32_t level : {0u, 1u, 4u}) {
            const Picture decoded = level == 0
                                        ? DecodeTo(texture, {})
                                        : DecodeTo(texture, {"--level", std::to_string(level)});
            EXPECT_EQ(decoded.width, engine[level].width);
            EXPECT_EQ(decoded.height, engine[level].height);
            EXPECT_EQ(decoded.rgba, engine[level].rgba) << "level " << level;
        }
        // The single-channel types decode to the channels the engine gives them.
        const Picture top = DecodeTo(texture, {});
        for (size_t i = 0; i < top.rgba.size(); i += 4) {
            if (type.format == 26) {
                ASSERT_EQ(top.rgba[i + 1], 0) << i;
            }
            if (type.format == 26 || type.format == 27) {
                ASSERT_EQ(top.rgba[i + 2], 0) << i;
            }
        }
    }
}

TEST_F(Decode, ETC1DecodesAsAndroidsDecoderDoes) {
    const std::string texture = m_dir.File("etc1.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ETC1 RGB8");
    const Picture decoded = DecodeTo(texture, {});
    Bytes rgb(16 * 8 * 3);
    ASSERT_EQ(etc1_decode_image(KtxLevelData(texture)[0].data(), rgb.data(), 16, 8, 3, 16 * 3), 0);
    for (size_t i = 0; i < 16 * 8; ++i) {
        EXPECT_EQ((Bytes(decoded.rgba.begin() + 4 * i, decoded.rgba.begin() + 4 * i + 4)),
                  (Bytes{rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 255}))
            << "pixel " << i;
    }
}

TEST_F(Decode, SheetOfAThreeLevelChainHoldsEachLevelInPlace) {
    WritePicture(m_dir.File("small.tga"), PatternPicture(4, 4));
    const std::string texture = m_dir.File("chain.ktx");
    MakeTexture(m_dir.File("small.tga"), texture, "ATC RGBA Explicit", {"yes"});
    std::vector<Picture> levels;
    for (int i = 0; i < 3; ++i) {
        levels.push_back(DecodeTo(texture, {"--level", std::to_string(i)}));
    }
    const Picture sheet = DecodeTo(texture, {"--sheet"});
    ASSERT_EQ(sheet.width, 4u + 2u + 1u);
    ASSERT_EQ(sheet.height, 4u);
    const uint32_t lefts[] = {0, 4, 6};
    for (uint32_t y = 0; y < sheet.height; ++y) {
        for (uint32_t x = 0; x < sheet.width; ++x) {
            const int level = x < 4 ? 0 : x < 6 ? 1 : 2;
            const Picture& part = levels[level];
            const uint32_t px = x - lefts[level];
            const Bytes expected =
                y < part.height ? Bytes(part.At(px, y), part.At(px, y) + 4) : Bytes{0, 0, 0, 0};
            EXPECT_EQ(Bytes(sheet.At(x, y), sheet.At(x, y) + 4), expected) << x << ", " << y;
        }
    }

    const Picture zoomed = DecodeTo(texture, {"--zoom", "3", "--sheet"});
    ASSERT_EQ(zoomed.width, 21u);
    ASSERT_EQ(zoomed.height, 12u);
    for (uint32_t y = 0; y < zoomed.height; ++y) {
        for (uint32_t x = 0; x < zoomed.width; ++x) {
            ASSERT_EQ(Bytes(zoomed.At(x, y), zoomed.At(x, y) + 4),
                      Bytes(sheet.At(x / 3, y / 3), sheet.At(x / 3, y / 3) + 4))
                << x << ", " << y;
        }
    }
}

TEST_F(Decode, ZoomRepeatsEveryPixelOfALevel) {
    const std::string texture = m_dir.File("x.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "3DC X");
    const Picture plain = DecodeTo(texture, {});
    const Picture zoomed = DecodeTo(texture, {"--zoom", "16"});
    ASSERT_EQ(zoomed.width, 256u);
    ASSERT_EQ(zoomed.height, 128u);
    for (uint32_t y = 0; y < zoomed.height; ++y) {
        for (uint32_t x = 0; x < zoomed.width; ++x) {
            ASSERT_EQ(Bytes(zoomed.At(x, y), zoomed.At(x, y) + 4),
                      Bytes(plain.At(x / 16, y / 16), plain.At(x / 16, y / 16) + 4));
        }
    }
    const ProcessResult run =
        RunVostrelInspect({"decode", texture, m_dir.File("z.png"), "--zoom", "4"});
    EXPECT_EQ(run.output, m_dir.File("z.png") + ": level 0, zoomed 4 times of " + texture +
                              " (3DC X), 64 x 32 pixels\n");
}

TEST_F(Decode, DDSFilesDecodeTheirTopLevel) {
    const std::string texture = m_dir.File("atc.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ATC RGBA Interpolated");
    TextureImage level{};
    PixelLayout layout{};
    level.pPixelLayout = &layout;
    ASSERT_TRUE(LoadImageKTX(texture.c_str(), &level, true, nullptr));
    TextureImage* levels[] = {&level};
    const std::string dds = m_dir.File("atc.dds");
    ASSERT_TRUE(SaveImageDDS(dds.c_str(), levels, 1, nullptr));
    std::free(level.pData);
    EXPECT_EQ(DecodeTo(dds, {}).rgba, DecodeTo(texture, {}).rgba);
}

TEST_F(Decode, FailuresNameTheFileAndWriteNothing) {
    const std::string texture = m_dir.File("etc1.ktx");
    MakeTexture(m_dir.File("in.tga"), texture, "ETC1 RGB8", {"yes"});
    Bytes truncated = ReadBytes(texture);
    truncated.resize(truncated.size() - 1);
    WriteBytes(m_dir.File("cut.ktx"), truncated);
    const std::string out = m_dir.File("out.png");
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"decode", texture, out, "--level", "5"},
         texture + ": has no level 5: its levels are 0 to 4"},
        {{"decode", m_dir.File("cut.ktx"), out},
         m_dir.File("cut.ktx") +
             ": LoadImageKTX: File could not be opened for reading (possibly corrupted?)."},
        {{"decode", m_dir.File("in.tga"), out},
         m_dir.File("in.tga") + ": neither a KTX nor a DDS file"},
        {{"decode", texture, m_dir.File("no/such/dir.png")},
         m_dir.File("no/such/dir.png") + ": SaveImagePNG: File could not be opened for writing."},
    };
    for (const auto& c : cases) {
        const ProcessResult run = RunVostrelInspect(c.arguments);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errorOutput, "VostrelInspect: " + c.message + "\n");
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

}  // namespace
