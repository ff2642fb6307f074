// Last stage of the 16-bit route: the working image, at the source's size
// which is also the destination's, written in the destination's channels.
#include <cstring>

#include "format_catalogue.h"
#include "morlune_converter.h"

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
