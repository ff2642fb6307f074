// Pins down every byte the encoders write: the SHA-256 of every mip level of
// every compression type and ATC encoder speed, over the Kodak photographs
// and generated pictures, against hashes recorded once in
// expected_hashes.txt. The hashes are never edited: a difference means the
// output changed.
#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "golden_pictures.h"

namespace {

struct GoldenCase {
    const char* name;
    uint32_t format;
    uint32_t encodeSpeed;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.name; }

constexpr GoldenCase kCases[] = {
    {"atc-rgb", 23, 0},
    {"atc-rgb-fast", 23, 1},
    {"atc-rgba-explicit", 22, 0},
    {"atc-rgba-explicit-fast", 22, 1},
    {"atc-rgba-interpolated", 24, 0},
    {"atc-rgba-interpolated-fast", 24, 1},
    {"etc1-rgb8", 25, 0},
    {"3dc-x", 26, 0},
    {"3dc-xy", 27, 0},
};

std::string Sha256(const uint8_t* data, size_t size) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data, size, digest, &length, EVP_sha256(), nullptr);
    std::string hex;
    char byte[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(byte, sizeof(byte), "%02x", digest[i]);
        hex += byte;
    }
    return hex;
}

// "<case> <picture> <level>" -> "<width>x<height> <sha256>"
using HashTable = std::map<std::string, std::string>;

HashTable ExpectedHashes() {
    std::ifstream file(std::filesystem::path(GOLDEN_DIR) / "expected_hashes.txt");
    HashTable table;
    std::string caseName, picture, level, size, hash;
    while (file >> caseName >> picture >> level >> size >> hash) {
        table[caseName + " " + picture + " " + level] = size + " " + hash;
    }
    return table;
}

// A picture compressed with its whole mip chain, level 0 at the given size.
struct Job {
    const GoldenPicture* picture;
    std::string name;
    uint32_t width, height;
};

void Compress(const GoldenCase& golden, const Job& job, HashTable* actual) {
    const uint32_t count = CountMipLevels(job.width, job.height);
    std::vector<Record> owned;
    std::vector<TextureImage*> levels;
    for (uint32_t i = 0; i < count; ++i) {
        owned.emplace_back(CreateTextureImage());
        owned.back()->pPixelLayout->nEncodeSpeed = golden.encodeSpeed;
        levels.push_back(owned.back().get());
    }
    char message[kMessageBufferSize] = "";
    ASSERT_TRUE(CompressMipChain(job.picture->image.get(), levels.data(), golden.format, job.width,
                                 job.height, count, message))
        << job.name << ": " << message;
    for (uint32_t i = 0; i < count; ++i) {
        const TextureImage& level = *levels[i];
        (*actual)[std::string(golden.name) + " " + job.name + " " + std::to_string(i)] =
            std::to_string(level.nWidth) + "x" + std::to_string(level.nHeight) + " " +
            Sha256(level.pData, level.nDataSize);
    }
}

// Every expected line of the case and the picture set must be produced and
// agree; lines produced without an expectation are listed so that a new
// picture can be recorded, never an old one replaced.
void Check(const GoldenCase& golden, const std::vector<Job>& jobs) {
    HashTable actual;
    for (const Job& job : jobs) {
        Compress(golden, job, &actual);
    }
    const HashTable expected = ExpectedHashes();
    std::set<std::string> names;
    for (const Job& job : jobs) {
        names.insert(job.name);
    }
    size_t compared = 0;
    for (const auto& [key, value] : expected) {
        std::istringstream fields(key);
        std::string caseName, picture;
        fields >> caseName >> picture;
        if (caseName != golden.name || names.count(picture) == 0) {
            continue;
        }
        ++compared;
        const auto found = actual.find(key);
        if (found == actual.end()) {
            ADD_FAILURE() << "not produced: " << key << " " << value;
        } else {
            EXPECT_EQ(found->second, value) << key;
        }
    }
    for (const auto& [key, value] : actual) {
        if (expected.count(key) == 0) {
            ADD_FAILURE() << "no recorded hash: " << key << " " << value;
        }
    }
    EXPECT_GT(compared, 0u);
}

std::vector<Job> WholeChains(const std::vector<GoldenPicture>& pictures) {
    std::vector<Job> jobs;
    for (const GoldenPicture& picture : pictures) {
        jobs.push_back({&picture, picture.name, picture.image->nWidth, picture.image->nHeight});
    }
    return jobs;
}

// Generated pictures at their own size, and some reduced or enlarged.
std::vector<Job> GeneratedJobs(const std::vector<GoldenPicture>& pictures) {
    std::vector<Job> jobs = WholeChains(pictures);
    struct Resize {
        const char* picture;
        uint32_t width, height;
    };
    constexpr Resize kResizes[] = {{"noise-37x29", 16, 16},
                                   {"alpha-edge-129x67", 48, 80},
                                   {"gradient-7x7", 20, 12},
                                   {"noise-256x256", 97, 33},
                                   {"two-colour-128x128", 3, 200}};
    for (const Resize& resize : kResizes) {
        for (const GoldenPicture& picture : pictures) {
            if (picture.name == resize.picture) {
                jobs.push_back({&picture,
                                picture.name + "-to-" + std::to_string(resize.width) + "x" +
                                    std::to_string(resize.height),
                                resize.width, resize.height});
            }
        }
    }
    return jobs;
}

class GoldenOutput : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenOutput, GeneratedPictures) {
    const std::vector<GoldenPicture> pictures = GeneratedPictures();
    Check(GetParam(), GeneratedJobs(pictures));
}

TEST_P(GoldenOutput, KodakPhotographs) {
    const std::filesystem::path corpus =
        std::filesystem::path(VOSTREL_SOURCE_DIR) / ".." / "shared" / "corpus" / "kodak";
    if (!std::filesystem::is_directory(corpus)) {
        GTEST_SKIP() << "no Kodak corpus beside the repository";
    }
    const std::vector<GoldenPicture> pictures = CorpusPictures(corpus.string());
    Check(GetParam(), WholeChains(pictures));
}

INSTANTIATE_TEST_SUITE_P(EveryType, GoldenOutput, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GoldenCase>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c != '\0'; ++c) {
                                 name += *c == '-' ? '_' : *c;
                             }
                             return name;
                         });

}  // namespace
