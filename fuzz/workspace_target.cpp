// The workspace mode on the fuzzer's bytes as a workspace file. The process
// works inside its scratch directory, which holds a few small input images;
// an input whose entries name a path with a directory part, or ask for an
// output larger than kMaxOutputSize, is not run, so that nothing is read or
// written outside the scratch directory and every run stays small.
#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "byte_order.h"
#include "front_end.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "scratch_dir.h"
#include "xml_document.h"

namespace {

constexpr const char* kWorkspaceName = "workspace.xml";
constexpr uint32_t kMaxOutputSize = 64;

struct FixedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// Appends the lowest count bytes of value, lowest first.
void PutLE(std::vector<uint8_t>& bytes, uint32_t value, uint32_t count) {
    bytes.resize(bytes.size() + count);
    StoreLittleEndian(bytes.data() + bytes.size() - count, value, count);
}

std::vector<uint8_t> Tga(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutLE(bytes, width, 2);
    PutLE(bytes, height, 2);
    bytes.push_back(uint8_t(bitsPerPixel));
    bytes.push_back(bitsPerPixel == 32 ? 0x28 : 0x20);  // top-left origin
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            bytes.push_back(uint8_t(x * 32));
            bytes.push_back(uint8_t(y * 32));
            bytes.push_back(uint8_t((x + y) * 16));
            if (bitsPerPixel == 32) {
                bytes.push_back(uint8_t(255 - x * 16));
            }
        }
    }
    return bytes;
}

std::vector<uint8_t> Etc1Ktx() {
    std::vector<uint8_t> bytes = {0xAB, 0x4B, 0x54, 0x58, 0x20, 0x31,
                                  0x31, 0xBB, 0x0D, 0x0A, 0x1A, 0x0A};
    const uint32_t header[13] = {0x04030201, 0, 0, 0, 0x8D64, 0x8D64, 4, 4, 0, 0, 1, 1, 0};
    for (uint32_t word : header) {
        PutLE(bytes, word, 4);
    }
    PutLE(bytes, 8, 4);
    for (uint8_t byte : {0x68, 0x44, 0x22, 0x02, 0x0F, 0xF0, 0x33, 0xCC}) {
        bytes.push_back(byte);
    }
    return bytes;
}

std::vector<uint8_t> UncompressedDds() {
    std::vector<uint8_t> bytes = {'D', 'D', 'S', ' '};
    uint32_t header[31] = {};
    header[0] = 124;
    header[1] = 0x2100F;
    header[2] = 2;    // height
    header[3] = 2;    // width
    header[4] = 16;   // data size
    header[6] = 1;    // levels
    header[18] = 32;  // pixel format size
    header[19] = 0x41;
    header[20] = 0x20434E55;  // "UNC "
    header[21] = 32;
    header[26] = 0x401008;
    for (uint32_t word : header) {
        PutLE(bytes, word, 4);
    }
    for (int i = 0; i < 16; ++i) {
        bytes.push_back(uint8_t(i * 17));
    }
    return bytes;
}

const std::vector<FixedFile>& FixedFiles() {
    static const std::vector<FixedFile> files = {
        {"pattern.tga", Tga(8, 8, 32)},
        {"small.tga", Tga(5, 3, 24)},
        {"etc1.ktx", Etc1Ktx()},
        {"unc.dds", UncompressedDds()},
    };
    return files;
}

void EnterScratchDirectory() {
    static bool entered = false;
    if (!entered) {
        FUZZ_CHECK(chdir(ScratchDirectory().c_str()) == 0);
        entered = true;
    }
}

// Leaves the scratch directory as a run finds it: the fixed images in their
// original form and nothing else.
void ResetScratchDirectory() {
    std::set<std::string> keep = {kWorkspaceName};
    for (const FixedFile& file : FixedFiles()) {
        keep.insert(file.name);
    }
    DIR* directory = opendir(".");
    FUZZ_CHECK(directory != nullptr);
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(directory)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && keep.count(name) == 0) {
            stale.push_back(name);
        }
    }
    closedir(directory);
    for (const std::string& name : stale) {
        std::remove(name.c_str());
    }
    for (const FixedFile& file : FixedFiles()) {
        WriteScratchFile(file.name, file.bytes.data(), file.bytes.size());
    }
}

bool PathStaysInside(const char* path) {
    return path == nullptr || std::strchr(path, '/') == nullptr;
}

bool SizeIsSmall(const char* text) {
    return text == nullptr || ParseSizeArgument(text) <= kMaxOutputSize;
}

// The entries exactly as the workspace mode will see them, read with the
// same parser.
bool WorkspaceIsConfined(const char* path) {
    XmlDocument document;
    if (!document.LoadFile(path)) {
        return true;
    }
    const XmlElement header = document.FirstChildElement();
    if (!header) {
        return true;
    }
    for (XmlElement entry = header.FirstChildElement(); entry; entry = entry.NextSiblingElement()) {
        if (!PathStaysInside(entry.Attribute("source")) ||
            !PathStaysInside(entry.Attribute("destination")) ||
            !SizeIsSmall(entry.Attribute("width")) || !SizeIsSmall(entry.Attribute("height"))) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    EnterScratchDirectory();
    ResetScratchDirectory();
    WriteScratchFile(kWorkspaceName, data, size);
    if (!WorkspaceIsConfined(kWorkspaceName)) {
        return 0;
    }
    const RunResult result = RunWorkspace(kWorkspaceName);
    if (result.ending != RunResult::Ending::Completed) {
        FUZZ_CHECK(!result.hasMessage || !result.message.empty());
    }
    return 0;
}
