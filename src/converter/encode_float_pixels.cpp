// Float and half-float destinations on the 8-bit route: the stored channels
// of each pixel, one pixel after the other; luminance is taken from red.
#include <bit>

#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

void Morlune::EncodeFloatPixels() {
    const FormatInfo* format = FindFormat(m_pDst->nFormat);
    const ChannelPlaces& places = PlacesOf(format->channels);
    const uint32_t channelBytes = format->halfFloat ? 2 : 4;
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = m_pDst->pData;
    for (uint64_t i = 0; i < count; ++i, in += 4) {
        for (uint32_t k = 0; k < places.count; ++k, out += channelBytes) {
            const uint8_t value = in[places.slot[k]];
            const uint32_t bits =
                format->halfFloat ? ByteToHalf(value) : std::bit_cast<uint32_t>(ByteToFloat(value));
            StoreLittleEndian(out, bits, channelBytes);
        }
    }
    ReleaseBuffer();
}
