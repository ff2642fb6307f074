// The container description and VostrelInspect's info on the fuzzer's bytes
// as a file: DescribeContainerFile's levels and entries must lie inside the
// file, and info, as text and as JSON, must end with status 0 or 1 whatever
// the file holds.
#include <cstdio>

#include "container_description.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "inspect.h"
#include "scratch_dir.h"

namespace {

void CheckDescription(const char* path) {
    ContainerDescription description;
    FUZZ_CHECK(DescribeContainerFile(path, &description, nullptr));
    FUZZ_CHECK(description.levels.size() <= 32);
    for (const ContainerLevel& level : description.levels) {
        FUZZ_CHECK(level.width > 0 && level.height > 0);
        FUZZ_CHECK(level.offset <= description.fileSize);
        if (level.complete && level.hasImageSize) {
            FUZZ_CHECK(level.offset + 4 + level.imageSize <= description.fileSize);
        } else if (level.complete) {
            FUZZ_CHECK(level.offset + level.expectedSize <= description.fileSize);
        }
    }
    for (const ContainerKeyValue& entry : description.keyValues) {
        FUZZ_CHECK(entry.offset + 4 + entry.key.size() + entry.value.size() <=
                   description.fileSize);
    }
    FUZZ_CHECK(description.Conforms() == description.deviations.empty());
}

void CheckInfo(const char* path, bool json) {
    std::FILE* sink = std::fopen("/dev/null", "w");
    FUZZ_CHECK(sink != nullptr);
    const char* arguments[] = {"VostrelInspect", "info", path, "--json"};
    const int status = RunInspect(json ? 4 : 3, arguments, sink, sink);
    std::fclose(sink);
    FUZZ_CHECK(status == kInspectOk || status == kInspectFailed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteScratchFile("input", data, size);
    CheckDescription(path.c_str());
    CheckInfo(path.c_str(), false);
    CheckInfo(path.c_str(), true);
    return 0;
}
