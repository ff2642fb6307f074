// Direct and palettised sources on the 8-bit route: every pixel value read
// through the channel masks.
#include <cstring>

#include "byte_order.h"
#include "channel_conversions.h"
#include "channel_masks.h"
#include "morlune_converter.h"

namespace {

void StorePixel(uint8_t* out, uint32_t value, const ChannelMasks& masks) {
    out[0] = ExtractColourChannel(value, masks.red);
    out[1] = ExtractColourChannel(value, masks.green);
    out[2] = ExtractColourChannel(value, masks.blue);
    out[3] = ExtractAlphaChannel(value, masks.alpha);
}

}  // namespace

void Morlune::UnpackPixels() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    const uint32_t bpp = ImgInfo(m_pSrc, INFO_BITS_PER_PIXEL);
    const uint64_t pitch = ImgInfo(m_pSrc, INFO_PITCH);
    const uint32_t entryBits = ImgInfo(m_pSrc, INFO_PALETTE_ENTRY_BITS);
    const ChannelMasks masks = MasksOf(*this, m_pSrc);
    const uint64_t count = uint64_t(width) * height;
    PixelBuffer pixels = Allocate(count * 4);
    const uint8_t* data = m_pSrc->pData;
    uint8_t* out = pixels.get();

    if (bpp == 32 && pitch == uint64_t(width) * 4 && masks == kWorkingMasks) {
        std::memcpy(out, data, count * 4);
    } else if (entryBits != 0) {
        // The palette, then every index packed without row padding, least
        // significant bits first.
        const uint64_t paletteBytes = ((uint64_t(1) << bpp) * entryBits + 7) / 8;
        const uint8_t* indices = data + paletteBytes;
        const uint32_t indexMask = (1u << bpp) - 1;
        for (uint64_t i = 0; i < count; ++i, out += 4) {
            const uint64_t bit = i * bpp;
            const uint32_t index = (uint32_t(indices[bit / 8]) >> (bit % 8)) & indexMask;
            const uint8_t* entry = data + (uint64_t(index) * entryBits) / 8;
            StorePixel(out, LoadLittleEndian(entry, entryBits / 8), masks);
        }
    } else {
        const uint32_t pixelBytes = bpp / 8;
        for (uint32_t y = 0; y < height; ++y) {
            const uint8_t* row = data + y * pitch;
            for (uint32_t x = 0; x < width; ++x, out += 4) {
                StorePixel(out, LoadLittleEndian(row + uint64_t(x) * pixelBytes, pixelBytes),
                           masks);
            }
        }
    }
    InstallBuffer(std::move(pixels), width, height, 4);
}
