// Runs a fuzz target once on every file of the directories named on the
// command line (a missing directory holds no inputs), so that the test suite
// replays the corpus and every crash input under the sanitizers.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_input.h"

namespace {

struct ReplayInput {
    std::string name;
    std::vector<uint8_t> bytes;
};

std::vector<ReplayInput> ReadInputs(int argc, char** argv) {
    std::vector<std::filesystem::path> paths;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path directory(argv[i]);
        if (!std::filesystem::is_directory(directory)) {
            continue;
        }
        for (const auto& entry : std::filesystem::directory_iterator(directory)) {
            if (entry.is_regular_file()) {
                paths.push_back(std::filesystem::absolute(entry.path()));
            }
        }
    }
    std::sort(paths.begin(), paths.end());
    // Everything is read before the first run: a target may change the
    // working directory.
    std::vector<ReplayInput> inputs;
    for (const auto& path : paths) {
        std::ifstream file(path, std::ios::binary);
        inputs.push_back({path.string(), std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                                              std::istreambuf_iterator<char>())});
    }
    return inputs;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<ReplayInput> inputs = ReadInputs(argc, argv);
    for (const ReplayInput& input : inputs) {
        std::fprintf(stderr, "replay: %s (%zu bytes)\n", input.name.c_str(), input.bytes.size());
        LLVMFuzzerTestOneInput(input.bytes.data(), input.bytes.size());
    }
    std::fprintf(stderr, "replay: %zu inputs\n", inputs.size());
    return inputs.empty() ? 1 : 0;
}
