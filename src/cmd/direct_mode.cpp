// The direct mode: the command line's input, output and compression type,
// with the optional mip flag, width and height, converted and saved.
#include <strings.h>

#include <memory>

#include "front_end.h"
#include "shared.h"

RunResult RunDirectMode(int argc, const char* const* argv) {
    const char* inputPath = argv[1];
    const char* outputPath = argv[2];

    uint32_t format = 0;
    if (!ParseCompressionType(argv[3], &format)) {
        return RunResult::Usage("INVALID COMPRESSION TYPE.");
    }
    bool generateMips = argc >= 5 && strcasecmp(argv[4], "yes") == 0;
    uint32_t width = argc >= 6 ? ParseSizeArgument(argv[5]) : 0;
    uint32_t height = argc >= 7 ? ParseSizeArgument(argv[6]) : 0;

    std::unique_ptr<TextureImage, decltype(&FreeTextureImage)> source(CreateTextureImage(),
                                                                      &FreeTextureImage);
    char message[kMessageBufferSize] = {};
    if (!source || !LoadImage(inputPath, source.get(), message)) {
        return RunResult::Usage("ERROR: Input image could not be loaded.");
    }
    return ConvertAndSave(source.get(), format, width, height, generateMips, outputPath);
}
