// Grows the working image by whole-pixel replication to the destination's
// width and height where those are larger. Pixels move whole, so one form
// serves 4- and 16-byte pixels.
#include <algorithm>
#include <cstring>

#include "morlune_converter.h"

void Morlune::Enlarge() {
    const uint32_t width = m_nWidth;
    const uint32_t height = m_nHeight;
    const uint32_t newWidth = std::max(m_pDst->nWidth, width);
    const uint32_t newHeight = std::max(m_pDst->nHeight, height);
    if (newWidth == width && newHeight == height) {
        return;
    }
    if (width == 0 || height == 0) {
        Fail(TRC_FAILED, nullptr);
    }
    const uint32_t factorX = newWidth / width;
    const uint32_t factorY = newHeight / height;
    const uint64_t pixelBytes = m_nBytesPerPixel;
    PixelBuffer enlarged = Allocate(uint64_t(newWidth) * newHeight * pixelBytes);
    const uint8_t* in = m_pBuffer.get();
    uint8_t* out = enlarged.get();
    for (uint32_t y = 0; y < newHeight; ++y) {
        // A ratio that is not whole would step past the last row or column.
        const uint64_t fromY = std::min(y / factorY, height - 1);
        for (uint32_t x = 0; x < newWidth; ++x, out += pixelBytes) {
            const uint64_t fromX = std::min(x / factorX, width - 1);
            std::memcpy(out, in + (fromY * width + fromX) * pixelBytes, pixelBytes);
        }
    }
    InstallBuffer(std::move(enlarged), newWidth, newHeight, m_nBytesPerPixel);
}
