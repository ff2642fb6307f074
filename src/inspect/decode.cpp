// decode: one level, or every level side by side, decoded through the engine
// and written as a PNG picture, enlarged where asked.
#include <string>
#include <vector>

#include "failure.h"
#include "inspect.h"
#include "sheet.h"
#include "subcommands.h"
#include "texture_file.h"

int RunDecode(const CommandLine& line, std::FILE* out) {
    const std::string& path = line.operands[0];
    const std::string& outPath = line.operands[1];
    const TextureFile texture = TextureFile::Load(path);
    const std::string type = ContainerFormatName(texture.Format());
    RGBAPicture picture;
    std::string what;
    if (line.sheet) {
        std::vector<RGBAPicture> levels;
        for (uint32_t i = 0; i < texture.LevelCount(); ++i) {
            levels.push_back(texture.Decode(i));
        }
        picture = MakeSheet(levels, outPath);
        what = std::to_string(texture.LevelCount()) +
               (texture.LevelCount() == 1 ? " level" : " levels") + " side by side";
    } else {
        if (line.level >= texture.LevelCount()) {
            throw Failure(path, "has no level " + std::to_string(line.level) +
                                    ": its levels are 0 to " +
                                    std::to_string(texture.LevelCount() - 1));
        }
        picture = texture.Decode(line.level);
        what = "level " + std::to_string(line.level);
    }
    if (line.zoom > 1) {
        picture = Zoom(picture, line.zoom, outPath);
        what += ", zoomed " + std::to_string(line.zoom) + " times";
    }
    WritePNG(picture, outPath);
    std::fprintf(out, "%s: %s of %s (%s), %u x %u pixels\n", outPath.c_str(), what.c_str(),
                 path.c_str(), type.c_str(), picture.width, picture.height);
    return kInspectOk;
}
