// 16-bit sources on the 8-bit route: each channel narrowed to a byte; a
// source without alpha is opaque.
#include "channel_conversions.h"
#include "format_catalogue.h"
#include "little_endian.h"
#include "morlune_converter.h"

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
            out[places.slot[k]] = NarrowSixteen(uint16_t(LoadLittleEndian(in, 2)));
        }
    }
    InstallBuffer(std::move(pixels), width, height, 4);
}
