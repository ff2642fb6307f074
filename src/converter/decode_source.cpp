// The first stage of the 8-bit route: the source, whatever its kind, as an
// 8-bit RGBA working image at the source's size. Block sources go to
// DecodeBlocks, direct and palettised ones to UnpackPixels; the two wide
// kinds are narrowed here: 16-bit channels saturate at 255, float and
// half-float channels are loaded as the float route loads them and brought
// to bytes. A source without alpha is opaque.
#include <cstring>

#include "byte_order.h"
#include "channel_conversions.h"
#include "format_catalogue.h"
#include "morlune_converter.h"

void Morlune::DecodeSource() {
    if (ImgInfo(m_pSrc, INFO_IS_16BIT) != 0) {
        DecodeSixteenBit();
    } else if (ImgInfo(m_pSrc, INFO_IS_COMPRESSED) != 0) {
        DecodeBlocks();
    } else if (ImgInfo(m_pSrc, INFO_IS_FLOAT) != 0) {
        DecodeFloatPixels();
    } else {
        UnpackPixels();
    }
}

void Morlune::DecodeSixteenBit() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    const ChannelPlaces& places = PlacesOf(FindFormat(m_pSrc->nFormat)->channels);
    const uint64_t count = uint64_t(width) * height;
    PixelBuffer pixels = Allocate(count * 4);
    const uint8_t* in = m_pSrc->pData;
    uint8_t* out = pixels.get();
    for (uint64_t i = 0; i < count; ++i, out += 4) {
        out[0] = 0;
        out[1] = 0;
        out[2] = 0;
        out[3] = 255;
        for (uint32_t k = 0; k < places.count; ++k, in += 2) {
            out[places.slot[k]] = NarrowSixteen(LoadLittleEndian16(in));
        }
    }
    InstallBuffer(std::move(pixels), width, height, 4);
}

void Morlune::DecodeFloatPixels() {
    LoadFloat();
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    PixelBuffer pixels = Allocate(count * 4);
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = pixels.get();
    for (uint64_t i = 0; i < count * 4; ++i, in += sizeof(float)) {
        float value;
        std::memcpy(&value, in, sizeof value);
        out[i] = FloatToByte(value);
    }
    InstallBuffer(std::move(pixels), m_nWidth, m_nHeight, 4);
}
