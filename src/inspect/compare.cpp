// compare: each level of a texture against its source, reduced to the
// level's size as VostrelCmd reduces it; exit 3 when a level falls below
// --min-psnr.
#include "compare_report.h"
#include "failure.h"
#include "file_access.h"
#include "inspect.h"
#include "record.h"
#include "reference_levels.h"
#include "subcommands.h"
#include "texture_file.h"

namespace {

std::string SizeText(uint32_t width, uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace

int RunCompare(const CommandLine& line, std::FILE* out, std::FILE* err) {
    const std::string& sourcePath = line.operands[0];
    const std::string& texturePath = line.operands[1];
    const TextureFile texture = TextureFile::Load(texturePath);
    RequireReadableFile(sourcePath);
    Record source = NewRecord();
    char message[kMessageBufferSize] = {};
    if (!LoadImage(sourcePath.c_str(), source.get(), message)) {
        throw Failure(sourcePath, message[0] != '\0' ? message : "cannot be read as a picture");
    }
    const TextureImage& top = texture.Level(0);
    if (source->nWidth < top.nWidth || source->nHeight < top.nHeight) {
        throw Failure(sourcePath, "the source is " + SizeText(source->nWidth, source->nHeight) +
                                      ", smaller than level 0 of " + texturePath + " (" +
                                      SizeText(top.nWidth, top.nHeight) +
                                      "): a source is reduced, never enlarged, to each level");
    }
    const std::vector<RGBAPicture> references =
        ReferenceLevels(*source, top.nWidth, top.nHeight, texture.LevelCount(), sourcePath);

    ComparisonReport report;
    report.sourcePath = sourcePath;
    report.sourceWidth = source->nWidth;
    report.sourceHeight = source->nHeight;
    report.texturePath = texturePath;
    report.typeName = ContainerFormatName(texture.Format());
    report.channels = StoredChannels(texture.Format());
    report.hasMinPsnr = line.hasMinPsnr;
    report.minPsnr = line.minPsnr;
    source.reset();
    for (uint32_t i = 0; i < texture.LevelCount(); ++i) {
        const RGBAPicture decoded = texture.Decode(i);
        LevelResult level;
        level.width = decoded.width;
        level.height = decoded.height;
        level.error.Add(decoded, references[i], report.channels);
        report.chain.Merge(level.error);
        if (line.hasMinPsnr && level.error.Psnr() < line.minPsnr) {
            report.levelsBelow.push_back(i);
        }
        report.levels.push_back(level);
        if (i == 0 && !line.diffPath.empty()) {
            WritePNG(DifferencePicture(decoded, references[0], report.channels), line.diffPath);
        }
    }
    const std::string text = line.json ? CompareJson(report) : CompareText(report);
    std::fputs(text.c_str(), out);
    if (!report.levelsBelow.empty()) {
        const uint32_t first = report.levelsBelow.front();
        std::fprintf(err,
                     "VostrelInspect: %s: %zu %s below the minimum PSNR of %g dB; level %u has "
                     "%.2f dB\n",
                     texturePath.c_str(), report.levelsBelow.size(),
                     report.levelsBelow.size() == 1 ? "level is" : "levels are", line.minPsnr,
                     first, report.levels[first].error.Psnr());
        return kInspectBelowMinPsnr;
    }
    return kInspectOk;
}
