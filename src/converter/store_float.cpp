// Last stage of the float route: the working image, now at the destination's
// size, written in the destination's channels; luminance is taken from red.
#include <bit>
#include <cstring>

#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

void Morlune::StoreFloat() {
    if (m_nWidth != m_pDst->nWidth || m_nHeight != m_pDst->nHeight || m_nBytesPerPixel != 16) {
        Fail(TRC_FAILED, nullptr);
    }
    const FormatInfo* format = FindFormat(m_pDst->nFormat);
    const ChannelPlaces& places = PlacesOf(format->channels);
    const uint32_t channelBytes = format->halfFloat ? 2 : 4;
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = m_pDst->pData;
    for (uint64_t i = 0; i < count; ++i, in += 16) {
        float pixel[4];
        std::memcpy(pixel, in, sizeof(pixel));
        for (uint32_t k = 0; k < places.count; ++k, out += channelBytes) {
            const float value = pixel[places.slot[k]];
            const uint32_t bits =
                format->halfFloat ? FloatToHalf(value) : std::bit_cast<uint32_t>(value);
            StoreLittleEndian(out, bits, channelBytes);
        }
    }
    ReleaseBuffer();
}
