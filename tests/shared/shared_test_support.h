// Helpers for the container and loader tests: file bytes, little-endian
// words, records with known contents, and a write limit that makes writes
// fail part way.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "file_words.h"
#include "shared.h"

using Bytes = std::vector<uint8_t>;

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);

struct RecordDeleter {
    void operator()(TextureImage* image) const { FreeTextureImage(image); }
};
using Record = std::unique_ptr<TextureImage, RecordDeleter>;

// A record of the given format and size holding size bytes numbered from seed.
Record MakeRecord(uint32_t format, uint32_t width, uint32_t height, uint32_t size,
                  uint8_t seed = 0);
Bytes RecordBytes(const TextureImage& image);

// A contiguous array of records for LoadImageKTX, releasing their data.
struct LevelArray {
    explicit LevelArray(size_t count) : levels(count) {}
    ~LevelArray();
    std::vector<TextureImage> levels;
};

// The names of the entries of a directory.
std::vector<std::string> DirectoryEntries(const std::filesystem::path& directory);

// Runs call with files limited to limit bytes, so that writing further fails.
void WithFileSizeLimit(uint64_t limit, const std::function<void()>& call);
