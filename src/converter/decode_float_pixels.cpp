// Float and half-float sources on the 8-bit route: each channel brought to
// a byte; luminance fills red, green and blue; a source without alpha is
// opaque, one without colour black.
#include <bit>

#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

void Morlune::DecodeFloatPixels() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    const FormatInfo* format = FindFormat(m_pSrc->nFormat);
    const ChannelPlaces& places = PlacesOf(format->channels);
    const uint32_t channelBytes = format->halfFloat ? 2 : 4;
    const uint64_t count = uint64_t(width) * height;
    PixelBuffer pixels = Allocate(count * 4);
    const uint8_t* in = m_pSrc->pData;
    uint8_t* out = pixels.get();
    for (uint64_t i = 0; i < count; ++i, out += 4) {
        out[0] = 0;
        out[1] = 0;
        out[2] = 0;
        out[3] = 255;
        for (uint32_t k = 0; k < places.count; ++k, in += channelBytes) {
            const uint32_t bits = LoadLittleEndian(in, channelBytes);
            const uint8_t value = format->halfFloat ? HalfToByte(uint16_t(bits))
                                                    : FloatToByte(std::bit_cast<float>(bits));
            out[places.slot[k]] = value;
            if (places.luminance && k == 0) {
                out[1] = value;
                out[2] = value;
            }
        }
    }
    InstallBuffer(std::move(pixels), width, height, 4);
}
