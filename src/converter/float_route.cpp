// First stage of the float route: the source's channels as four floats per
// pixel. Luminance fills red, green and blue; a source without alpha is
// opaque, one without colour black.
#include <bit>
#include <cstring>

#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

void Morlune::LoadFloat() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    const FormatInfo* format = FindFormat(m_pSrc->nFormat);
    const ChannelPlaces& places = PlacesOf(format->channels);
    const uint32_t channelBytes = format->halfFloat ? 2 : 4;
    const uint64_t count = uint64_t(width) * height;
    PixelBuffer pixels = Allocate(count * 16);
    const uint8_t* in = m_pSrc->pData;
    uint8_t* out = pixels.get();
    for (uint64_t i = 0; i < count; ++i, out += 16) {
        float pixel[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        for (uint32_t k = 0; k < places.count; ++k, in += channelBytes) {
            const uint32_t bits = LoadLittleEndian(in, channelBytes);
            const float value =
                format->halfFloat ? HalfToFloat(uint16_t(bits)) : std::bit_cast<float>(bits);
            pixel[places.slot[k]] = value;
            if (places.luminance && k == 0) {
                pixel[1] = value;
                pixel[2] = value;
            }
        }
        std::memcpy(out, pixel, sizeof(pixel));
    }
    InstallBuffer(std::move(pixels), width, height, 16);
}
