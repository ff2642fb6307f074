// ReferenceLevels: the source through CompressMipChain into format 1, each
// level at the texture's level size.
#include "reference_levels.h"

#include "failure.h"
#include "morlune.h"
#include "record.h"

std::vector<RGBAPicture> ReferenceLevels(const TextureImage& source, uint32_t width,
                                         uint32_t height, uint32_t count,
                                         const std::string& sourcePath) {
    std::vector<Record> records;
    std::vector<TextureImage*> pointers;
    for (uint32_t i = 0; i < count; ++i) {
        records.push_back(NewRecord());
        records.back()->pPixelLayout->nControl = kControlQuiet;
        pointers.push_back(records.back().get());
    }
    char message[kMessageBufferSize] = {};
    if (!CompressMipChain(&source, pointers.data(), 1, width, height, count, message)) {
        throw Failure(sourcePath, message);
    }
    std::vector<RGBAPicture> levels(count);
    for (uint32_t i = 0; i < count; ++i) {
        const TextureImage& record = *records[i];
        levels[i].width = record.nWidth;
        levels[i].height = record.nHeight;
        levels[i].pixels.assign(record.pData, record.pData + record.nDataSize);
    }
    return levels;
}
