// SaveImageDDS: a list of mip levels as one DDS file of the program's own
// dialect, its format always named by a FourCC.
#include <cstring>

#include "container_layout.h"
#include "dds_format.h"
#include "little_endian.h"
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
    WriteLittleEndian32(header + DDS_SIZE, kDDSHeaderSize);
    WriteLittleEndian32(header + DDS_FLAGS,
                        uncompressed ? kDDSFlagsUncompressed : kDDSFlagsCompressed);
    WriteLittleEndian32(header + DDS_HEIGHT, top.nHeight);
    WriteLittleEndian32(header + DDS_WIDTH, top.nWidth);
    WriteLittleEndian32(header + DDS_PITCH_OR_LINEAR_SIZE, top.nDataSize);
    WriteLittleEndian32(header + DDS_MIPMAP_COUNT, levelCount);
    WriteLittleEndian32(header + DDS_PF_SIZE, kDDSPixelFormatSize);
    WriteLittleEndian32(header + DDS_PF_FLAGS, PixelFormatFlags(top, layout));
    WriteLittleEndian32(header + DDS_PF_FOURCC, fourCC);
    WriteLittleEndian32(header + DDS_PF_RGB_BIT_COUNT, uncompressed ? 32 : 0);
    if (top.pPixelLayout != nullptr) {
        WriteLittleEndian32(header + DDS_PF_R_BIT_MASK, top.pPixelLayout->nRedMask);
        WriteLittleEndian32(header + DDS_PF_G_BIT_MASK, top.pPixelLayout->nGreenMask);
        WriteLittleEndian32(header + DDS_PF_B_BIT_MASK, top.pPixelLayout->nBlueMask);
        WriteLittleEndian32(header + DDS_PF_A_BIT_MASK, top.pPixelLayout->nAlphaMask);
    }
    WriteLittleEndian32(header + DDS_CAPS, kDDSCaps);
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
    WriteLittleEndian32(magic, kDDSMagic);
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
