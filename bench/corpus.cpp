#include "corpus.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool IsPng(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    for (char& c : extension) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return extension == ".png";
}

}  // namespace

std::vector<CorpusEntry> ListPngFiles(const std::string& folder) {
    std::vector<CorpusEntry> entries;
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
        return entries;
    }
    const std::filesystem::path root(folder);
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error) && IsPng(it->path())) {
            entries.push_back(
                {std::filesystem::relative(it->path(), root, error).string(), it->path().string()});
        }
    }
    std::sort(entries.begin(), entries.end(),
              [](const CorpusEntry& a, const CorpusEntry& b) { return a.path < b.path; });
    return entries;
}
