#include "scratch_dir.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string g_directory;

void RemoveScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(g_directory, ignored);
}

}  // namespace

const std::string& ScratchDirectory() {
    if (g_directory.empty()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vostrel-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        g_directory = pattern;
        std::atexit(RemoveScratchDirectory);
    }
    return g_directory;
}

std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size) {
    const std::string path = ScratchDirectory() + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size)) {
        std::perror(path.c_str());
        std::abort();
    }
    std::fclose(file);
    return path;
}
