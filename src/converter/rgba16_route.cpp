// The 16-bit route, 16-bit source to 16-bit destination, which neither
// resizes nor flips: the source's channels as four 16-bit values per pixel,
// opaque where the source has no alpha, then the destination's channels.
#include <cstring>

#include "byte_order.h"
#include "format_catalogue.h"
#include "morlune_converter.h"

namespace {

constexpr uint16_t kOpaque = 255;

}  // namespace

void Morlune::LoadRGBA16() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    if (m_pDst->nWidth != width || m_pDst->nHeight != height) {
        Fail(TRC_FAILED, "RGBA16 route cannot resize");
    }
    if ((ImgInfo(m_pDst, INFO_FLIP_X) != 0) != (ImgInfo(m_pSrc, INFO_FLIP_X) != 0) ||
        (ImgInfo(m_pDst, INFO_FLIP_Y) != 0) != (ImgInfo(m_pSrc, INFO_FLIP_Y) != 0)) {
        Fail(TRC_FAILED, "RGBA16 route cannot flip");
    }
    const ChannelPlaces& places = PlacesOf(FindFormat(m_pSrc->nFormat)->channels);
    const uint64_t count = uint64_t(width) * height;
    PixelBuffer pixels = Allocate(count * 8);
    const uint8_t* in = m_pSrc->pData;
    uint8_t* out = pixels.get();
    for (uint64_t i = 0; i < count; ++i, out += 8) {
        uint16_t pixel[4] = {0, 0, 0, kOpaque};
        for (uint32_t k = 0; k < places.count; ++k, in += 2) {
            pixel[places.slot[k]] = LoadLittleEndian16(in);
        }
        for (uint32_t c = 0; c < 4; ++c) {
            StoreLittleEndian16(out + 2 * c, pixel[c]);
        }
    }
    InstallBuffer(std::move(pixels), width, height, 8);
}

void Morlune::StoreRGBA16() {
    if (m_nWidth != m_pDst->nWidth || m_nHeight != m_pDst->nHeight || m_nBytesPerPixel != 8) {
        Fail(TRC_FAILED, nullptr);
    }
    const ChannelPlaces& places = PlacesOf(FindFormat(m_pDst->nFormat)->channels);
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = m_pDst->pData;
    for (uint64_t i = 0; i < count; ++i, in += 8) {
        for (uint32_t k = 0; k < places.count; ++k, out += 2) {
            std::memcpy(out, in + 2 * places.slot[k], 2);
        }
    }
    ReleaseBuffer();
}
