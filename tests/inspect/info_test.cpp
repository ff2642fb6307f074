// info through the real executable: files VostrelCmd writes conform, broken
// ones fail with each deviation named, and hostile ones are described
// without harm.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "inspect_fixtures.h"
#include "shared.h"
#include "temp_dir.h"

namespace {

using Json = nlohmann::json;
using Lines = std::vector<std::string>;

class Info : public ::testing::Test {
  protected:
    void SetUp() override {
        WritePicture(m_dir.File("in.tga"), PatternPicture(16, 8));
        MakeTexture(m_dir.File("in.tga"), m_dir.File("etc1.ktx"), "ETC1 RGB8", {"yes"});
        m_etc1 = ReadBytes(m_dir.File("etc1.ktx"));
    }

    // Writes bytes as a file and runs info on it.
    ProcessResult InfoOn(const Bytes& bytes, bool json = false) {
        const std::string path = m_dir.File("broken.ktx");
        WriteBytes(path, bytes);
        return json ? RunVostrelInspect({"info", path, "--json"})
                    : RunVostrelInspect({"info", path});
    }

    TempDir m_dir;
    Bytes m_etc1;
};

Lines DeviationLines(const std::string& report) {
    Lines lines;
    const size_t verdict = report.find("Verdict: does not conform");
    if (verdict == std::string::npos) {
        return lines;
    }
    size_t start = report.find('\n', verdict) + 1;
    while (report.compare(start, 2, "  ") == 0) {
        const size_t end = report.find('\n', start);
        lines.push_back(report.substr(start + 2, end - start - 2));
        start = end + 1;
    }
    return lines;
}

TEST_F(Info, EveryTypeTheToolWritesConformsAndIsNamed) {
    for (const TextureType& type : kTextureTypes) {
        SCOPED_TRACE(type.name);
        const std::string path = m_dir.File("typed.ktx");
        MakeTexture(m_dir.File("in.tga"), path, type.name, {"yes"});
        const ProcessResult json = RunVostrelInspect({"info", path, "--json"});
        ASSERT_EQ(json.exitStatus, 0) << json.errorOutput;
        EXPECT_EQ(json.errorOutput, "");
        const Json document = Json::parse(json.output);
        EXPECT_EQ(document["container"], "KTX");
        EXPECT_EQ(document["format"]["code"], type.format);
        EXPECT_EQ(document["format"]["name"], type.name);
        EXPECT_EQ(document["header"]["glInternalFormat"]["meaning"], type.name);
        EXPECT_EQ(document["header"]["pixelWidth"]["value"], 16);
        EXPECT_EQ(document["header"]["numberOfMipmapLevels"]["value"], 5);
        EXPECT_EQ(document["conforms"], true);
        EXPECT_EQ(document["deviations"], Json::array());
        EXPECT_EQ(document["readable"], true);
        EXPECT_EQ(document["levels_read"], 5);
        ASSERT_EQ(document["levels"].size(), 5u);
        const uint32_t blockBytes =
            type.format == 22 || type.format == 24 || type.format == 27 ? 16 : 8;
        const uint32_t widths[] = {16, 8, 4, 2, 1};
        const uint32_t heights[] = {8, 4, 2, 1, 1};
        uint64_t offset = 64;
        for (size_t i = 0; i < 5; ++i) {
            const Json& level = document["levels"][i];
            const uint64_t bytes =
                uint64_t((widths[i] + 3) / 4) * ((heights[i] + 3) / 4) * blockBytes;
            EXPECT_EQ(level["width"], widths[i]);
            EXPECT_EQ(level["height"], heights[i]);
            EXPECT_EQ(level["offset"], offset);
            EXPECT_EQ(level["image_size"], bytes);
            EXPECT_EQ(level["expected_size"], bytes);
            offset += 4 + bytes;
        }
        EXPECT_EQ(document["file_size"], offset);

        const ProcessResult text = RunVostrelInspect({"info", path});
        EXPECT_EQ(text.exitStatus, 0);
        EXPECT_NE(text.output.find("  glInternalFormat "), std::string::npos);
        EXPECT_NE(text.output.find(std::string("  ") + type.name + "\n"), std::string::npos);
        EXPECT_NE(text.output.find("Verdict: conforms to KTX 1.1\n"), std::string::npos);
        EXPECT_NE(text.output.find("VostrelCmd's reader: reads 5 levels\n"), std::string::npos);
    }
}

// The line of report that begins with prefix, without its newline; empty
// when there is none.
std::string LineStartingWith(const std::string& report, const std::string& prefix) {
    size_t start = 0;
    while (start < report.size()) {
        const size_t end = report.find('\n', start);
        const std::string line = report.substr(start, end - start);
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return line;
        }
        start = end == std::string::npos ? report.size() : end + 1;
    }
    return "";
}

Lines Tokens(const std::string& line) {
    Lines tokens;
    std::istringstream in(line);
    for (std::string token; in >> token;) {
        tokens.push_back(token);
    }
    return tokens;
}

TEST_F(Info, TextReportListsFieldsKeyValuesAndLevels) {
    Bytes entry = {23, 0, 0, 0};
    for (const char c : std::string("KTXorientation\0S=r,T=d\0", 23)) {
        entry.push_back(uint8_t(c));
    }
    entry.push_back(0);
    Bytes file(m_etc1.begin(), m_etc1.begin() + 64);
    PutWord(file, 60, uint32_t(entry.size()));
    file.insert(file.end(), entry.begin(), entry.end());
    file.insert(file.end(), m_etc1.begin() + 64, m_etc1.end());
    const ProcessResult run = InfoOn(file);
    EXPECT_EQ(run.exitStatus, 0) << run.output << run.errorOutput;
    EXPECT_EQ(Tokens(LineStartingWith(run.output, "      28  glInternalFormat")),
              (Lines{"28", "glInternalFormat", "0x8D64", "ETC1", "RGB8"}));
    EXPECT_EQ(Tokens(LineStartingWith(run.output, "      60  bytesOfKeyValueData")),
              (Lines{"60", "bytesOfKeyValueData", "28"}));
    EXPECT_NE(run.output.find("Key/value data (1 entry):\n"), std::string::npos) << run.output;
    EXPECT_EQ(Tokens(LineStartingWith(run.output, "      64  KTXorientation")),
              (Lines{"64", "KTXorientation", "\"S=r,T=d\""}));
    EXPECT_NE(run.output.find("Levels (5):\n"), std::string::npos);
    EXPECT_EQ(Tokens(LineStartingWith(run.output, "      0 ")),
              (Lines{"0", "16", "x", "8", "92", "64", "64"}));
    EXPECT_EQ(Tokens(LineStartingWith(run.output, "      4 ")),
              (Lines{"4", "1", "x", "1", std::to_string(file.size() - 12), "8", "8"}));
}

struct BrokenCase {
    const char* name;
    Bytes file;
    Lines deviations;
};

Bytes With(Bytes file, size_t offset, uint32_t value) {
    PutWord(file, offset, value);
    return file;
}

Bytes Resized(Bytes file, size_t size) {
    file.resize(size, 0x77);
    return file;
}

TEST_F(Info, BrokenFilesNameEachDeviationAndFail) {
    Bytes badIdentifier = m_etc1;
    badIdentifier[6] = '0';
    const size_t size = m_etc1.size();
    const BrokenCase cases[] = {
        {"identifier",
         badIdentifier,
         {"identifier: AB 4B 54 58 20 31 30 BB 0D 0A 1A 0A, but KTX 1.1's is AB 4B 54 58 20 31 31 "
          "BB 0D 0A 1A 0A"}},
        {"endianness",
         With(m_etc1, 12, 0x12345678),
         {"endianness: 0x12345678 is neither 0x04030201 (little-endian) nor 0x01020304 "
          "(big-endian)"}},
        {"glTypeSize", With(m_etc1, 20, 4), {"glTypeSize: 4, but ETC1 RGB8 data needs 1"}},
        {"glBaseInternalFormat",
         With(m_etc1, 32, 0x1908),
         {"glBaseInternalFormat: 0x1908, but ETC1 RGB8 needs 0x1907 (GL_RGB)"}},
        {"level size",
         Resized(With(m_etc1, size - 12, 12), size + 4),
         {"level 4 (1 x 1): imageSize 12, but ETC1 RGB8 data of that size is 8 bytes"}},
        {"bytes missing",
         Resized(m_etc1, size - 3),
         {"level 4 (1 x 1): the file ends 3 bytes before the end of its data"}},
        {"bytes left over",
         Resized(m_etc1, size + 6),
         {"6 bytes are left over after the last level"}},
        {"levels missing",
         With(m_etc1, 56, 7),
         {"levels 5 to 6 are missing: the file ends at byte " + std::to_string(size)}},
        {"cut inside the header",
         Resized(m_etc1, 30),
         {"the file is 30 bytes long, shorter than the 64-byte KTX header"}},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ProcessResult run = InfoOn(c.file);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(DeviationLines(run.output), c.deviations) << run.output;
        EXPECT_EQ(run.errorOutput,
                  "VostrelInspect: " + m_dir.File("broken.ktx") +
                      ": does not conform to KTX 1.1 (" + std::to_string(c.deviations.size()) +
                      (c.deviations.size() == 1 ? " deviation)\n" : " deviations)\n"));
        const ProcessResult json = InfoOn(c.file, true);
        EXPECT_EQ(json.exitStatus, 1);
        const Json document = Json::parse(json.output);
        EXPECT_EQ(document["conforms"], false);
        EXPECT_EQ(document["deviations"].get<Lines>(), c.deviations);
    }
}

TEST_F(Info, ConformingFilesTheReaderRefusesFailWithItsMessage) {
    // The whole file byte-swapped, as a big-endian writer makes it.
    Bytes swapped = m_etc1;
    for (size_t offset = 12; offset + 4 <= swapped.size(); offset += 4) {
        std::swap(swapped[offset], swapped[offset + 3]);
        std::swap(swapped[offset + 1], swapped[offset + 2]);
    }
    const ProcessResult run = InfoOn(swapped);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_NE(run.output.find("Verdict: conforms to KTX 1.1\n"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("  the file is big-endian"), std::string::npos);
    EXPECT_EQ(run.errorOutput, "VostrelInspect: " + m_dir.File("broken.ktx") +
                                   ": VostrelCmd's reader refuses it: ValidateKTXImage: Invalid "
                                   "KTX file format.\n");
    const Json document = Json::parse(InfoOn(swapped, true).output);
    EXPECT_EQ(document["readable"], false);
    EXPECT_EQ(document["reader_message"], "ValidateKTXImage: Invalid KTX file format.");
    EXPECT_EQ(document["levels"][4]["width"], 1);
}

TEST_F(Info, HostileHeadersAreDescribedWithoutHarm) {
    Bytes entriesPastEverything = With(m_etc1, 60, 0xFFFFFFFC);
    Bytes manyEntries(m_etc1.begin(), m_etc1.begin() + 64);
    PutWord(manyEntries, 60, 4096);
    manyEntries.resize(64 + 4096, 0);  // 1024 entries of no bytes
    const Bytes cases[] = {
        With(With(m_etc1, 36, 0xFFFFFFFF), 40, 0xFFFFFFFF),
        With(With(m_etc1, 28, 0x1908), 36, 0x80000000),
        With(m_etc1, 56, 0xFFFFFFFF),
        With(m_etc1, 64, 0xFFFFFFFF),
        entriesPastEverything,
        manyEntries,
        Bytes(m_etc1.begin(), m_etc1.begin() + 12),
    };
    for (const Bytes& file : cases) {
        const ProcessResult run = InfoOn(file, true);
        EXPECT_EQ(run.exitStatus, 1) << run.errorOutput;
        const Json document = Json::parse(run.output);
        EXPECT_EQ(document["conforms"], false);
        EXPECT_LE(document["levels"].size(), 32u);
        EXPECT_EQ(std::count(run.errorOutput.begin(), run.errorOutput.end(), '\n'), 1);
    }
}

TEST_F(Info, DDSFilesAreCheckedAgainstTheDialect) {
    std::vector<PixelLayout> layouts(5);
    std::vector<TextureImage> levels(5);
    for (size_t i = 0; i < levels.size(); ++i) {
        levels[i].pPixelLayout = &layouts[i];
    }
    ASSERT_TRUE(LoadImageKTX(m_dir.File("etc1.ktx").c_str(), levels.data(), false, nullptr));
    std::vector<TextureImage*> pointers;
    for (TextureImage& level : levels) {
        pointers.push_back(&level);
    }
    const std::string path = m_dir.File("etc1.dds");
    ASSERT_TRUE(SaveImageDDS(path.c_str(), pointers.data(), 5, nullptr));
    for (TextureImage& level : levels) {
        std::free(level.pData);
    }
    ProcessResult run = RunVostrelInspect({"info", path, "--json"});
    ASSERT_EQ(run.exitStatus, 0) << run.errorOutput;
    Json document = Json::parse(run.output);
    EXPECT_EQ(document["container"], "DDS");
    EXPECT_EQ(document["standard"], "VostrelCmd's DDS dialect");
    EXPECT_EQ(document["format"]["name"], "ETC1 RGB8");
    EXPECT_EQ(document["header"]["ddspf.dwFourCC"]["meaning"], "'ETC1': ETC1 RGB8");
    EXPECT_EQ(document["levels"].size(), 5u);
    EXPECT_EQ(document["levels_read"], 1);

    Bytes broken = ReadBytes(path);
    PutWord(broken, 20, 65);
    broken.pop_back();
    WriteBytes(path, broken);
    run = RunVostrelInspect({"info", path});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(DeviationLines(run.output),
              (Lines{"dwPitchOrLinearSize: 65, but ETC1 RGB8 data of 16 x 8 is 64 bytes",
                     "level 4 (1 x 1): the file ends 1 bytes before the end of its data"}));
    EXPECT_EQ(run.errorOutput,
              "VostrelInspect: " + path +
                  ": does not conform to VostrelCmd's DDS dialect (2 deviations)\n");
}

TEST_F(Info, FilesOfOtherKindsAndMissingFilesFailOnOneLine) {
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {m_dir.File("in.tga"), m_dir.File("in.tga") + ": neither a KTX nor a DDS file"},
        {m_dir.File("missing.ktx"), m_dir.File("missing.ktx") + ": No such file or directory"},
        {m_dir.Path().string(), m_dir.Path().string() + ": Is a directory"},
    };
    for (const auto& c : cases) {
        const ProcessResult run = RunVostrelInspect({"info", c.path});
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_EQ(run.output, "");
        EXPECT_EQ(run.errorOutput, "VostrelInspect: " + c.message + "\n");
    }
}

}  // namespace
