// info: a KTX or DDS file described field by field, with its verdict; exit 1
// when it does not conform or the tool's readers refuse it.
#include "failure.h"
#include "file_access.h"
#include "info_report.h"
#include "inspect.h"
#include "subcommands.h"
#include "texture_file.h"

namespace {

ReaderVerdict AskReader(const std::string& path) {
    ReaderVerdict verdict;
    try {
        const TextureFile texture = TextureFile::Load(path);
        verdict.reads = true;
        verdict.levelsRead = texture.LevelCount();
    } catch (const Failure& failure) {
        verdict.message = failure.Reason();
    }
    return verdict;
}

}  // namespace

int RunInfo(const CommandLine& line, std::FILE* out, std::FILE* err) {
    const std::string& path = line.operands[0];
    RequireReadableFile(path);
    ContainerDescription description;
    if (!DescribeContainerFile(path.c_str(), &description, nullptr)) {
        throw Failure(path, "cannot be opened for reading");
    }
    if (description.kind == ContainerKind::Unknown) {
        throw Failure(path, "neither a KTX nor a DDS file");
    }
    const ReaderVerdict reader = AskReader(path);
    const std::string report =
        line.json ? InfoJson(path, description, reader) : InfoText(path, description, reader);
    std::fputs(report.c_str(), out);
    if (!description.Conforms()) {
        std::fprintf(err, "VostrelInspect: %s: does not conform to %s (%zu %s)\n", path.c_str(),
                     description.standard.c_str(), description.deviations.size(),
                     description.deviations.size() == 1 ? "deviation" : "deviations");
        return kInspectFailed;
    }
    if (!reader.reads) {
        std::fprintf(err, "VostrelInspect: %s: VostrelCmd's reader refuses it: %s\n", path.c_str(),
                     reader.message.c_str());
        return kInspectFailed;
    }
    return kInspectOk;
}
