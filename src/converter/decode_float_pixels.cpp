// Float and half-float sources on the 8-bit route: loaded as the float
// route loads them, then each channel brought to a byte.
#include <cstring>

#include "channel_conversions.h"
#include "morlune_converter.h"

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
