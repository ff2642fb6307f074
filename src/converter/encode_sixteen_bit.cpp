// 16-bit destinations on the 8-bit route: each channel byte zero-extended,
// pixels one after the other.
#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

void Morlune::EncodeSixteenBit() {
    const ChannelPlaces& places = PlacesOf(FindFormat(m_pDst->nFormat)->channels);
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = m_pDst->pData;
    for (uint64_t i = 0; i < count; ++i, in += 4) {
        for (uint32_t k = 0; k < places.count; ++k, out += 2) {
            StoreLittleEndian(out, WidenToSixteen(in[places.slot[k]]), 2);
        }
    }
    ReleaseBuffer();
}
