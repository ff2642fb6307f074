// Properties and data sizes of images, from the format table and the
// image's layout block.
#include "format_catalogue.h"
#include "morlune_converter.h"
#include "saturating_size.h"

namespace {

// A layout word, or its default when the image has no block.
uint32_t LayoutWord(const TextureImage* image, uint32_t PixelLayout::*word, uint32_t absent) {
    return image->pPixelLayout != nullptr ? image->pPixelLayout->*word : absent;
}

// A layout override: the word when nonzero, else the format's own value.
uint32_t Override(const TextureImage* image, uint32_t PixelLayout::*word, uint32_t own) {
    const uint32_t value = LayoutWord(image, word, 0);
    return value != 0 ? value : own;
}

uint64_t BlockCount(const TextureImage* image) {
    return ((uint64_t(image->nWidth) + 3) / 4) * ((uint64_t(image->nHeight) + 3) / 4);
}

}  // namespace

uint32_t Morlune::ImgInfo(const TextureImage* image, uint32_t field) const {
    if (image == nullptr) {
        return 0;
    }
    const FormatInfo* format = FindFormat(image->nFormat);
    if (format == nullptr) {
        Fail(TRC_UNSUPPORTED_FORMAT, "ImgInfo unsupported pInput->nFormat");
    }
    switch (field) {
        case INFO_BITS_PER_PIXEL:
            return format->bitsPerPixel;
        case INFO_HAS_ALPHA:
            return format->hasAlpha ? 1 : 0;
        case INFO_PALETTE_ENTRY_BITS:
            return format->paletteEntryBits;
        case INFO_IS_COMPRESSED:
            return format->kind == FormatKind::Compressed ? 1 : 0;
        case INFO_IS_FLOAT:
            return format->kind == FormatKind::Float ? 1 : 0;
        case INFO_IS_16BIT:
            return format->kind == FormatKind::Sixteen ? 1 : 0;
        case INFO_PITCH: {
            const uint64_t own = (uint64_t(format->bitsPerPixel) * image->nWidth + 7) / 8;
            if (LayoutWord(image, &PixelLayout::nPitch, 0) == 0 && own > kLargestImageBytes) {
                Fail(TRC_FAILED, "Image too large");
            }
            return Override(image, &PixelLayout::nPitch, uint32_t(own));
        }
        case INFO_RED_MASK:
            return Override(image, &PixelLayout::nRedMask, format->redMask);
        case INFO_GREEN_MASK:
            return Override(image, &PixelLayout::nGreenMask, format->greenMask);
        case INFO_BLUE_MASK:
            return Override(image, &PixelLayout::nBlueMask, format->blueMask);
        case INFO_ALPHA_MASK:
            return Override(image, &PixelLayout::nAlphaMask, format->alphaMask);
        case INFO_FLIP_X:
            return LayoutWord(image, &PixelLayout::bFlipX, 0);
        case INFO_FLIP_Y:
            return LayoutWord(image, &PixelLayout::bFlipY, 0);
        case INFO_ENCODE_SPEED:
            return LayoutWord(image, &PixelLayout::nEncodeSpeed, 0);
        case INFO_SCALE_FILTER:
            return LayoutWord(image, &PixelLayout::nScaleFilter, 0);
        case INFO_NORMAL_MAP_FILTER:
            return LayoutWord(image, &PixelLayout::nNormalMapFilter, 0);
        case INFO_NORMAL_MAP_SCALE:
            return LayoutWord(image, &PixelLayout::nNormalMapScale, 10);
        case INFO_NORMAL_MAP_WRAP:
            return LayoutWord(image, &PixelLayout::bNormalMapWrap, 0);
        case INFO_CONTROL:
            return LayoutWord(image, &PixelLayout::nControl, 0);
        default:
            break;
    }
    Fail(TRC_FAILED, "ImgInfo missing info field");
}

uint32_t Morlune::ImgSize(const TextureImage* image) const {
    const FormatInfo* format = FindFormat(image->nFormat);
    if (format == nullptr) {
        Fail(TRC_UNSUPPORTED_FORMAT, "ImgInfo unsupported pInput->nFormat");
    }
    uint64_t size = 0;
    switch (format->kind) {
        case FormatKind::Direct:
        case FormatKind::Sixteen:
        case FormatKind::Float:
            size = SaturatingMultiply(ImgInfo(image, INFO_PITCH), image->nHeight);
            break;
        case FormatKind::Palette: {
            const uint64_t bpp = format->bitsPerPixel;
            const uint64_t indexBits =
                SaturatingMultiply(SaturatingMultiply(bpp, image->nHeight), image->nWidth);
            size = SaturatingAdd(((uint64_t(1) << bpp) * format->paletteEntryBits) / 8,
                                 SaturatingAdd(indexBits, 7) / 8);
            break;
        }
        case FormatKind::Compressed: {
            uint64_t blockBytes = 8;
            if (image->nFormat == TF_3DC_XY ||
                (image->nFormat != ETC1_RGB8 && image->nFormat != TF_3DC_X &&
                 ImgInfo(image, INFO_HAS_ALPHA) == 1)) {
                blockBytes = 16;
            }
            size = SaturatingMultiply(blockBytes, BlockCount(image));
            break;
        }
    }
    if (size > kLargestImageBytes) {
        Fail(TRC_FAILED, "Image too large");
    }
    return uint32_t(size);
}
