// Palettised destinations: the working image quantized to 2^bpp colours,
// the palette stored in the format's entry layout, then the indices packed
// without row padding.
#include <cstring>

#include "morlune_converter.h"
#include "quantize.h"

namespace {

// The direct format that holds one palette entry of a palettised format
// whose entries are not 32-bit.
uint32_t EntryFormat(uint32_t paletteFormat) {
    switch (paletteFormat) {
        case PAL8_RGB888:
        case PAL4_RGB888:
            return RGB888;
        case PAL8_RGBA5551:
        case PAL4_RGBA5551:
            return RGBA5551;
        case PAL8_RGBA4444:
        case PAL4_RGBA4444:
            return RGBA4444;
        default:
            return RGB565;
    }
}

// Packs count indices of bits each (8, 4 or 1), the first index of a byte
// in its lowest bits; the unused bits of a last partly filled byte are 0.
void PackIndices(const uint8_t* indices, uint64_t count, uint32_t bits, uint8_t* out) {
    if (bits == 8) {
        std::memcpy(out, indices, count);
        return;
    }
    const uint32_t perByte = 8 / bits;
    for (uint64_t first = 0; first < count; first += perByte) {
        uint8_t byte = 0;
        for (uint32_t j = 0; j < perByte && first + j < count; ++j) {
            byte |= uint8_t(indices[first + j] << (j * bits));
        }
        out[first / perByte] = byte;
    }
}

}  // namespace

void Morlune::BuildPalette() {
    const uint32_t bits = ImgInfo(m_pDst, INFO_BITS_PER_PIXEL);
    const uint32_t entryBits = ImgInfo(m_pDst, INFO_PALETTE_ENTRY_BITS);
    const uint32_t count = 1u << bits;
    const uint64_t pixelCount = uint64_t(m_nWidth) * m_nHeight;
    const uint64_t paletteBytes = (uint64_t(count) * entryBits + 7) / 8;
    if (paletteBytes + (pixelCount * bits + 7) / 8 > m_pDst->nDataSize) {
        Fail(TRC_BUFFER_TOO_SMALL, "m_pDst->nDataSize is to small");
    }

    PixelBuffer indices = Allocate(pixelCount);
    PixelBuffer palette = Allocate(uint64_t(count) * 4);
    // Entries that the quantizer does not produce are stored as zeros.
    std::memset(palette.get(), 0, size_t(count) * 4);
    if (!QuantizeImage(m_pBuffer.get(), indices.get(), palette.get(), count, m_nWidth, m_nHeight)) {
        Fail(TRC_FAILED, "Palette quantization failed");
    }
    ReleaseBuffer();

    if (entryBits == 32) {
        std::memcpy(m_pDst->pData, palette.get(), size_t(count) * 4);
    } else {
        TextureImage source{count, 1, RGBA8888, nullptr, count * 4, palette.get()};
        TextureImage entries{
            count, 1, EntryFormat(m_pDst->nFormat), nullptr, uint32_t(paletteBytes), m_pDst->pData};
        const int32_t result = MorluneConvert(&source, &entries);
        if (result != TRC_OK) {
            Fail(TRC_FAILED, "Palette conversion failed");
        }
    }
    PackIndices(indices.get(), pixelCount, bits, m_pDst->pData + paletteBytes);
}
