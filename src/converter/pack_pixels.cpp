// Direct destinations: every pixel value built through the channel masks
// and written row by row at the destination's pitch.
#include <cstring>

#include "byte_order.h"
#include "channel_conversions.h"
#include "channel_masks.h"
#include "morlune_converter.h"

void Morlune::PackPixels() {
    const uint32_t width = m_nWidth;
    const uint32_t height = m_nHeight;
    const uint32_t bpp = ImgInfo(m_pDst, INFO_BITS_PER_PIXEL);
    const uint32_t pitch = ImgInfo(m_pDst, INFO_PITCH);
    const ChannelMasks masks = MasksOf(*this, m_pDst);
    const uint8_t* in = m_pBuffer.get();

    if (m_pDst->nFormat == RGBA8888 && pitch == uint64_t(width) * 4 && masks == kWorkingMasks) {
        std::memcpy(m_pDst->pData, in, uint64_t(width) * height * 4);
        return;
    }
    const uint32_t pixelBytes = bpp / 8;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = m_pDst->pData + uint64_t(y) * pitch;
        for (uint32_t x = 0; x < width; ++x, in += 4) {
            const uint32_t value =
                InsertChannel(in[0], masks.red) | InsertChannel(in[1], masks.green) |
                InsertChannel(in[2], masks.blue) | InsertChannel(in[3], masks.alpha);
            StoreLittleEndian(row + uint64_t(x) * pixelBytes, value, pixelBytes);
        }
    }
    m_pDst->nDataSize = uint32_t(uint64_t(pitch) * height);
}
