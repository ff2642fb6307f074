// The last stage of the 8-bit route: the working image written into the
// destination in the destination's format. Block destinations go to
// EncodeBlocks, palettised ones to BuildPalette, direct ones to PackPixels;
// the two wide kinds are written here, each pixel's stored channels one
// after the other: 16-bit channels zero-extended from the bytes, float and
// half-float channels from the bytes' fractions of 255. Luminance is taken
// from red.
#include <bit>

#include "byte_order.h"
#include "channel_conversions.h"
#include "format_catalogue.h"
#include "morlune_converter.h"

void Morlune::EncodeDestination() {
    // Every branch writes exactly the destination's pixels from the working
    // image, so the two must agree.
    if (m_pBuffer == nullptr || m_nBytesPerPixel != 4 || m_nWidth != m_pDst->nWidth ||
        m_nHeight != m_pDst->nHeight) {
        Fail(TRC_FAILED, nullptr);
    }
    if (ImgInfo(m_pDst, INFO_IS_16BIT) != 0) {
        EncodeSixteenBit();
    } else if (ImgInfo(m_pDst, INFO_IS_COMPRESSED) != 0) {
        EncodeBlocks();
    } else if (ImgInfo(m_pDst, INFO_PALETTE_ENTRY_BITS) != 0) {
        BuildPalette();
    } else if (ImgInfo(m_pDst, INFO_IS_FLOAT) == 0) {
        PackPixels();
    } else {
        EncodeFloatPixels();
    }
}

void Morlune::EncodeSixteenBit() {
    const ChannelPlaces& places = PlacesOf(FindFormat(m_pDst->nFormat)->channels);
    const uint64_t count = uint64_t(m_nWidth) * m_nHeight;
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = m_pDst->pData;
    for (uint64_t i = 0; i < count; ++i, in += 4) {
        for (uint32_t k = 0; k < places.count; ++k, out += 2) {
            StoreLittleEndian16(out, WidenToSixteen(in[places.slot[k]]));
        }
    }
    ReleaseBuffer();
}

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
