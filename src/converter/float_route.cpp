// The float route, float and half-float source to float and half-float
// destination: the source's channels as four floats per pixel, where
// luminance fills red, green and blue, a source without alpha is opaque and
// one without colour black; after the float forms of ApplyFlip, Enlarge and
// Reduce, the destination's channels, luminance taken from red. LoadFloat
// also loads the float sources of the 8-bit route.
#include <bit>
#include <cstring>

#include "byte_order.h"
#include "channel_conversions.h"
#include "format_catalogue.h"
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
