// Pictures whose headers state more pixels than the limit are refused before
// the picture library decodes them; the limit comes from VOSTREL_MAX_PIXELS.
#include <FreeImage.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "picture_library.h"
#include "pixel_limit.h"
#include "process.h"
#include "shared_test_support.h"
#include "temp_dir.h"

namespace {

// 69 bytes: a PNG header stating 20000 x 20000 RGBA pixels, then one tiny
// IDAT chunk. The picture library would allocate 1.5 GB for it.
const Bytes kPNGBomb{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D,
                     0x49, 0x48, 0x44, 0x52, 0x00, 0x00, 0x4E, 0x20, 0x00, 0x00, 0x4E, 0x20,
                     0x08, 0x06, 0x00, 0x00, 0x00, 0xE3, 0x70, 0x46, 0x39, 0x00, 0x00, 0x00,
                     0x0C, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0x60, 0x60, 0x60, 0x00,
                     0x00, 0x00, 0x04, 0x00, 0x01, 0xF6, 0x17, 0x38, 0x55, 0x00, 0x00, 0x00,
                     0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// A 24-bit BMP header stating 20000 x 20000 pixels, without pixels.
Bytes BMPBomb() {
    Bytes file(54, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutWord(file, 2, 54);
    PutWord(file, 10, 54);
    PutWord(file, 14, 40);
    PutWord(file, 18, 20000);
    PutWord(file, 22, 20000);
    file[26] = 1;
    file[28] = 24;
    return file;
}

// An uncompressed 32-bit TGA header stating 65535 x 65535 pixels.
Bytes TGABomb() {
    Bytes file(18, 0);
    file[2] = 2;
    file[12] = file[13] = file[14] = file[15] = 0xFF;
    file[16] = 32;
    file[17] = 8;
    return file;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct BombCase {
    const char* name;
    Bytes file;
};

TEST(PictureLimit, HeadersAboveTheLimitAreRefusedBeforeDecoding) {
    const BombCase bombs[] = {
        {"bomb.png", kPNGBomb},
        {"bomb.bmp", BMPBomb()},
        {"bomb.tga", TGABomb()},
        {"bomb.ppm", Text("P6\n20000 20000\n255\n")},
        {"bomb.hdr", Text("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 20000 +X 20000\n")},
    };
    TempDir dir;
    for (const BombCase& bomb : bombs) {
        SCOPED_TRACE(bomb.name);
        WriteFileBytes(dir.File(bomb.name), bomb.file);
        Record image(CreateTextureImage());
        char message[kMessageBufferSize] = "";
        EXPECT_FALSE(LoadImage(dir.File(bomb.name).c_str(), image.get(), message));
        EXPECT_STREQ(message, "LoadImage: Image too large.");
        EXPECT_EQ(image->pData, nullptr);
    }
}

struct ParseCase {
    const char* text;
    std::optional<uint64_t> value;
};

TEST(PictureLimit, OnlyPositiveDecimalIntegersAreValues) {
    const ParseCase cases[] = {
        {"1", 1},
        {"100", 100},
        {"007", 7},
        {"268435456", 268435456},
        {"18446744073709551615", UINT64_MAX},
        {"18446744073709551616", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"-5", std::nullopt},
        {"+5", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"1e6", std::nullopt},
        {"0x10", std::nullopt},
        {"12abc", std::nullopt},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.text);
        uint64_t value = 42;
        EXPECT_EQ(ParsePositiveInteger(c.text, &value), c.value.has_value());
        EXPECT_EQ(value, c.value.value_or(42));
    }
    uint64_t value = 42;
    EXPECT_FALSE(ParsePositiveInteger(nullptr, &value));
}

// Runs the tool with VOSTREL_MAX_PIXELS set to value (unset for null).
ProcessResult RunWithLimit(const char* value, const std::vector<std::string>& arguments) {
    if (value != nullptr) {
        setenv("VOSTREL_MAX_PIXELS", value, 1);
    }
    ProcessResult run = RunVostrelCmd(arguments);
    unsetenv("VOSTREL_MAX_PIXELS");
    return run;
}

void SaveBlankPicture(const std::string& path, FREE_IMAGE_FORMAT format, int width, int height) {
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 24);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_TRUE(FreeImage_Save(format, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
}

// A 16 x 16 DXT1 DDS file, a dialect only the picture library reads.
Bytes DXT1File() {
    Bytes file(128, 0);
    PutWord(file, 0, 0x20534444);
    PutWord(file, 4, 124);
    PutWord(file, 8, 0x81007);
    PutWord(file, 12, 16);
    PutWord(file, 16, 16);
    PutWord(file, 20, 128);
    PutWord(file, 76, 32);
    PutWord(file, 80, 4);
    PutWord(file, 84, 0x31545844);  // "DXT1"
    PutWord(file, 108, 0x1000);
    file.resize(128 + 16 * 8, 0);
    return file;
}

TEST(PictureLimit, EnvironmentVariableSetsTheLimit) {
    TempDir dir;
    SaveBlankPicture(dir.File("16.png"), FIF_PNG, 16, 16);
    SaveBlankPicture(dir.File("10.png"), FIF_PNG, 10, 10);
    SaveBlankPicture(dir.File("11.png"), FIF_PNG, 10, 11);
    WriteFileBytes(dir.File("16.dds"), DXT1File());
    const std::string output = dir.File("out.ktx");
    struct Case {
        const char* input;
        int exitStatus;
    };
    for (const Case& c :
         {Case{"16.png", 1}, Case{"11.png", 1}, Case{"10.png", 0}, Case{"16.dds", 1}}) {
        SCOPED_TRACE(c.input);
        const ProcessResult run = RunWithLimit("100", {dir.File(c.input), output, "3DC X"});
        EXPECT_EQ(run.exitStatus, c.exitStatus) << run.errorOutput;
        if (c.exitStatus != 0) {
            EXPECT_NE(run.errorOutput.find("ERROR: Input image could not be loaded."),
                      std::string::npos);
        }
    }
    for (const char* input : {"16.png", "16.dds"}) {
        SCOPED_TRACE(input);
        EXPECT_EQ(RunWithLimit(nullptr, {dir.File(input), output, "3DC X"}).exitStatus, 0);
    }
}

// GIF has no header-only read in the picture library: its pictures are
// decoded whatever the limit, as before there was one.
TEST(PictureLimit, FormatsWithoutAHeaderOnlyReadAreLoadedAsTheyStand) {
    TempDir dir;
    FIBITMAP* bitmap = FreeImage_Allocate(16, 16, 8);
    ASSERT_TRUE(FreeImage_Save(FIF_GIF, bitmap, dir.File("16.gif").c_str(), 0));
    FreeImage_Unload(bitmap);
    const ProcessResult run =
        RunWithLimit("100", {dir.File("16.gif"), dir.File("out.ktx"), "3DC X"});
    EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
}

// The TIFF library under FreeImage writes diagnostics of its own to standard
// error for every TIFF FreeImage writes; the header-only read must not add a
// second copy of them to the tool's output.
TEST(PictureLimit, HeaderOnlyReadOfATiffPrintsNothing) {
    TempDir dir;
    FIBITMAP* bitmap = FreeImage_Allocate(8, 8, 24);
    ASSERT_TRUE(FreeImage_Save(FIF_TIFF, bitmap, dir.File("8.tif").c_str(), 0));
    FreeImage_Unload(bitmap);
    uint32_t width = 0;
    uint32_t height = 0;
    testing::internal::CaptureStderr();
    const bool read = ReadPictureSize(dir.File("8.tif").c_str(), &width, &height);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(read);
    EXPECT_EQ(width, 8u);
    EXPECT_EQ(height, 8u);
}

const char kWarning[] = "Warning: VOSTREL_MAX_PIXELS is not a positive integer; using 268435456.\n";

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(PictureLimit, BadValuesGiveOneWarningAndTheDefault) {
    TempDir dir;
    SaveBlankPicture(dir.File("16.png"), FIF_PNG, 16, 16);
    WriteFileBytes(dir.File("bomb.png"), kPNGBomb);
    for (const char* value :
         {"", "0", "-1", "+100", " 100", "100 ", "18446744073709551616", "%s%n\\n"}) {
        SCOPED_TRACE(std::string("\"") + value + "\"");
        const ProcessResult loads =
            RunWithLimit(value, {dir.File("16.png"), dir.File("out.ktx"), "3DC X"});
        EXPECT_EQ(loads.exitStatus, 0) << loads.errorOutput;
        EXPECT_EQ(Occurrences(loads.errorOutput, kWarning), 1u) << loads.errorOutput;
        const ProcessResult refused =
            RunWithLimit(value, {dir.File("bomb.png"), dir.File("out.ktx"), "3DC X"});
        EXPECT_EQ(refused.exitStatus, 1);
        EXPECT_EQ(Occurrences(refused.errorOutput, "Warning:"), 1u) << refused.errorOutput;
    }
    const ProcessResult clean =
        RunWithLimit(nullptr, {dir.File("16.png"), dir.File("out.ktx"), "3DC X"});
    EXPECT_EQ(Occurrences(clean.errorOutput, "Warning:"), 0u);
}

TEST(PictureLimit, WarningIsPrintedOncePerProcess) {
    TempDir dir;
    SaveBlankPicture(dir.File("a.png"), FIF_PNG, 8, 8);
    SaveBlankPicture(dir.File("b.png"), FIF_PNG, 8, 8);
    const std::string workspace = dir.File("textures.xml");
    std::string xml =
        "<Header tool=\"Vostrel\" version=\"0.01.00\" "
        "guid=\"72659ff8-aa3f-4b50-95ad-176be895b937\">";
    for (const char* name : {"a", "b"}) {
        xml += "<Entry source=\"" + dir.File(std::string(name) + ".png") + "\" destination=\"" +
               dir.File(std::string(name) + ".ktx") + "\" compression=\"3DC X\"/>";
    }
    WriteFileBytes(workspace, Text(xml + "</Header>"));
    const ProcessResult run = RunWithLimit("many", {"-ws", workspace});
    EXPECT_EQ(run.exitStatus, 0) << run.errorOutput;
    EXPECT_TRUE(std::filesystem::exists(dir.File("b.ktx"))) << run.errorOutput;
    EXPECT_EQ(Occurrences(run.errorOutput, kWarning), 1u) << run.errorOutput;
}

// Peak resident size of the tool run on the arguments, in KiB, as the kernel
// counts it for that child alone.
long PeakResidentKiB(const std::vector<std::string>& arguments, int* exitStatus) {
    std::vector<char*> argv{const_cast<char*>(VOSTREL_CMD_PATH)};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status)) {
        return -1;
    }
    *exitStatus = WEXITSTATUS(status);
    return usage.ru_maxrss;
}

// A loose bound: the tool itself, sanitizers included, stays far below it;
// decoding the stated picture takes 1.5 GB.
TEST(PictureLimit, PNGBombIsRefusedWithoutItsMemory) {
    TempDir dir;
    WriteFileBytes(dir.File("bomb.png"), kPNGBomb);
    int exitStatus = -1;
    const long peak =
        PeakResidentKiB({dir.File("bomb.png"), dir.File("out.ktx"), "3DC X"}, &exitStatus);
    EXPECT_EQ(exitStatus, 1);
    EXPECT_GT(peak, 0);
    EXPECT_LT(peak, 50 * 1024);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.ktx")));
}

TEST(PictureLimit, RealPictureStillLoads) {
    TempDir dir;
    const std::string path = dir.File("64.png");
    Bytes pattern(64 * 64 * 4);
    for (size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = uint8_t(i * 37 + (i >> 8) * 11);
    }
    FIBITMAP* bitmap = FreeImage_Allocate(64, 64, 32);
    ASSERT_NE(bitmap, nullptr);
    for (unsigned y = 0; y < 64; ++y) {
        BYTE* line = FreeImage_GetScanLine(bitmap, int(63 - y));
        for (unsigned x = 0; x < 64; ++x) {
            const uint8_t* p = &pattern[(y * 64 + x) * 4];
            line[x * 4 + FI_RGBA_RED] = p[0];
            line[x * 4 + FI_RGBA_GREEN] = p[1];
            line[x * 4 + FI_RGBA_BLUE] = p[2];
            line[x * 4 + FI_RGBA_ALPHA] = p[3];
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path.c_str(), 0));
    FreeImage_Unload(bitmap);
    Record image(CreateTextureImage());
    ASSERT_TRUE(LoadImage(path.c_str(), image.get(), nullptr));
    EXPECT_EQ(image->nWidth, 64u);
    EXPECT_EQ(image->nHeight, 64u);
    EXPECT_EQ(RecordBytes(*image), pattern);
}

}  // namespace
