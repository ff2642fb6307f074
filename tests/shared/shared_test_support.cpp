// The container and loader tests' helpers: file bytes, records of known
// contents, directory listings and a file size limit.
#include "shared_test_support.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

Bytes ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

Record MakeRecord(uint32_t format, uint32_t width, uint32_t height, uint32_t size, uint8_t seed) {
    Record image(CreateTextureImage());
    image->nFormat = format;
    image->nWidth = width;
    image->nHeight = height;
    image->nDataSize = size;
    image->pData = static_cast<uint8_t*>(std::malloc(size == 0 ? 1 : size));
    for (uint32_t i = 0; i < size; ++i) {
        image->pData[i] = uint8_t(seed + i * 7);
    }
    return image;
}

Bytes RecordBytes(const TextureImage& image) {
    if (image.pData == nullptr) {
        return {};
    }
    return Bytes(image.pData, image.pData + image.nDataSize);
}

LevelArray::~LevelArray() {
    for (TextureImage& level : levels) {
        std::free(level.pData);
    }
}

std::vector<std::string> DirectoryEntries(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

void WithFileSizeLimit(uint64_t limit, const std::function<void()>& call) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = limit;
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    call();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
}
