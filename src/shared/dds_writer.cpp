// SaveImageDDS: a list of mip levels as one DDS file of the program's own
// dialect, its format always named by a FourCC.
#include <cstring>

#include "byte_order.h"
#include "container_layout.h"
#include "dds_format.h"
#include "message.h"
#include "safe_file.h"

namespace {

bool LevelsAreWritable(TextureImage* const* levels, uint32_t levelCount) {
    if (levelCount == 0) {
        return false;
    }
    for (uint32_t i = 0; i < levelCount; ++i) {
        if (levels[i] == nullptr || (levels[i]->pData == nullptr && levels[i]->nDataSize != 0)) {
            return false;
        }
    }
    return true;
}

uint32_t PixelFormatFlags(const TextureImage& top, const ContainerLayout& layout) {
    if (top.nFormat == 1) {
        return kDDPFRGB | kDDPFAlphaPixels;
    }
    return layout.glBaseInternalFormat == kGLRGBA ? kDDPFFourCC | kDDPFAlphaPixels : kDDPFFourCC;
}

void FillHeader(uint8_t* header, const TextureImage& top, uint32_t fourCC,
                const ContainerLayout& layout, uint32_t levelCount) {
    std::memset(header, 0, kDDSHeaderSize);
    const bool uncompressed = top.nFormat == 1;
    StoreLittleEndian32(header + DDSSize, kDDSHeaderSize);
    StoreLittleEndian32(header + DDSFlags,
                        uncompressed ? kDDSFlagsUncompressed : kDDSFlagsCompressed);
    StoreLittleEndian32(header + DDSHeight, top.nHeight);
    StoreLittleEndian32(header + DDSWidth, top.nWidth);
    StoreLittleEndian32(header + DDSPitchOrLinearSize, top.nDataSize);
    StoreLittleEndian32(header + DDSMipMapCount, levelCount);
    StoreLittleEndian32(header + DDSPfSize, kDDSPixelFormatSize);
    StoreLittleEndian32(header + DDSPfFlags, PixelFormatFlags(top, layout));
    StoreLittleEndian32(header + DDSPfFourCC, fourCC);
    StoreLittleEndian32(header + DDSPfRGBBitCount, uncompressed ? 32 : 0);
    if (top.pPixelLayout != nullptr) {
        StoreLittleEndian32(header + DDSPfRBitMask, top.pPixelLayout->nRedMask);
        StoreLittleEndian32(header + DDSPfGBitMask, top.pPixelLayout->nGreenMask);
        StoreLittleEndian32(header + DDSPfBBitMask, top.pPixelLayout->nBlueMask);
        StoreLittleEndian32(header + DDSPfABitMask, top.pPixelLayout->nAlphaMask);
    }
    StoreLittleEndian32(header + DDSCaps, kDDSCapsMipmappedTexture);
}

}  // namespace

bool SaveImageDDS(const char* path, TextureImage** levels, uint32_t levelCount, char* message) {
    uint32_t fourCC = 0;
    const ContainerLayout* layout = levels != nullptr && levels[0] != nullptr
                                        ? FindContainerLayout(levels[0]->nFormat)
                                        : nullptr;
    if (layout == nullptr || !FormatToFourCC(levels[0]->nFormat, &fourCC)) {
        SetMessage(message, "SaveImageDDS: Unsupported file format.");
        return false;
    }
    if (!LevelsAreWritable(levels, levelCount)) {
        SetMessage(message, "SaveImageDDS: Writing output file failed.");
        return false;
    }
    SafeFile file;
    if (!file.Open(path)) {
        SetMessage(message, "SaveImageDDS: File could not be opened for writing.");
        return false;
    }
    uint8_t magic[kDDSMagicSize];
    StoreLittleEndian32(magic, kDDSMagic);
    uint8_t header[kDDSHeaderSize];
    FillHeader(header, *levels[0], fourCC, *layout, levelCount);
    bool written = file.Write(magic, sizeof(magic)) && file.Write(header, sizeof(header));
    for (uint32_t i = 0; written && i < levelCount; ++i) {
        written = file.Write(levels[i]->pData, levels[i]->nDataSize);
    }
    if (!written || !file.Commit()) {
        SetMessage(message, "SaveImageDDS: Writing output file failed.");
        return false;
    }
    return true;
}
