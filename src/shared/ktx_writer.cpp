// SaveImageKTX: a list of mip levels as one KTX file.
#include <cstring>

#include "byte_order.h"
#include "container_layout.h"
#include "ktx_format.h"
#include "message.h"
#include "safe_file.h"

namespace {

bool LevelsAreWritable(TextureImage* const* levels, uint32_t levelCount) {
    if (levels == nullptr || levelCount == 0) {
        return false;
    }
    for (uint32_t i = 0; i < levelCount; ++i) {
        if (levels[i] == nullptr || (levels[i]->pData == nullptr && levels[i]->nDataSize != 0)) {
            return false;
        }
    }
    return true;
}

void FillHeader(uint8_t* header, const TextureImage& top, uint32_t glInternalFormat,
                const ContainerLayout& layout, uint32_t levelCount) {
    std::memset(header, 0, kKTXHeaderSize);
    std::memcpy(header, kKTXIdentifier, sizeof(kKTXIdentifier));
    StoreLittleEndian32(header + KTXEndianness, kKTXLittleEndian);
    StoreLittleEndian32(header + KTXGLType, layout.glType);
    StoreLittleEndian32(header + KTXGLTypeSize, 1);
    StoreLittleEndian32(header + KTXGLFormat, layout.glFormat);
    StoreLittleEndian32(header + KTXGLInternalFormat, glInternalFormat);
    StoreLittleEndian32(header + KTXGLBaseInternalFormat, layout.glBaseInternalFormat);
    StoreLittleEndian32(header + KTXPixelWidth, top.nWidth);
    StoreLittleEndian32(header + KTXPixelHeight, top.nHeight);
    StoreLittleEndian32(header + KTXNumberOfFaces, 1);
    StoreLittleEndian32(header + KTXNumberOfMipmapLevels, levelCount);
}

// imageSize, the data, and zero bytes up to imageSize, a multiple of 4.
bool WriteLevel(SafeFile& file, const TextureImage& level) {
    const uint64_t imageSize = (uint64_t(level.nDataSize) + 3) / 4 * 4;
    if (imageSize > UINT32_MAX) {
        return false;
    }
    uint8_t sizeField[4];
    StoreLittleEndian32(sizeField, uint32_t(imageSize));
    const uint8_t padding[3] = {};
    return file.Write(sizeField, sizeof(sizeField)) && file.Write(level.pData, level.nDataSize) &&
           file.Write(padding, size_t(imageSize - level.nDataSize));
}

}  // namespace

bool SaveImageKTX(const char* path, TextureImage** levels, uint32_t levelCount, char* message) {
    uint32_t glInternalFormat = 0;
    const ContainerLayout* layout = levels != nullptr && levels[0] != nullptr
                                        ? FindContainerLayout(levels[0]->nFormat)
                                        : nullptr;
    if (layout == nullptr || !FormatToGLInternalFormat(levels[0]->nFormat, &glInternalFormat)) {
        SetMessage(message, "SaveImageKTX: Unsupported file format.");
        return false;
    }
    if (!LevelsAreWritable(levels, levelCount)) {
        SetMessage(message, "SaveImageKTX: Writing output file failed.");
        return false;
    }
    SafeFile file;
    if (!file.Open(path)) {
        SetMessage(message, "SaveImageKTX: File could not be opened for writing.");
        return false;
    }
    uint8_t header[kKTXHeaderSize];
    FillHeader(header, *levels[0], glInternalFormat, *layout, levelCount);
    bool written = file.Write(header, sizeof(header));
    for (uint32_t i = 0; written && i < levelCount; ++i) {
        written = WriteLevel(file, *levels[i]);
    }
    if (!written || !file.Commit()) {
        SetMessage(message, "SaveImageKTX: Writing output file failed.");
        return false;
    }
    return true;
}
