// Mirrors and flips the working image where the two images' orientations
// disagree. Pixels move whole, so one form serves 4- and 16-byte pixels.
#include <cstring>

#include "morlune_converter.h"

void Morlune::ApplyFlip() {
    const bool mirror = (ImgInfo(m_pDst, INFO_FLIP_X) != 0) != (ImgInfo(m_pSrc, INFO_FLIP_X) != 0);
    const bool flip = (ImgInfo(m_pDst, INFO_FLIP_Y) != 0) != (ImgInfo(m_pSrc, INFO_FLIP_Y) != 0);
    if (!mirror && !flip) {
        return;
    }
    const uint64_t width = m_nWidth;
    const uint64_t height = m_nHeight;
    const uint64_t pixelBytes = m_nBytesPerPixel;
    PixelBuffer flipped = Allocate(width * height * pixelBytes);
    const uint8_t* in = m_pBuffer.get();
    for (uint64_t y = 0; y < height; ++y) {
        const uint64_t toY = flip ? height - 1 - y : y;
        for (uint64_t x = 0; x < width; ++x) {
            const uint64_t toX = mirror ? width - 1 - x : x;
            std::memcpy(flipped.get() + (toY * width + toX) * pixelBytes,
                        in + (y * width + x) * pixelBytes, pixelBytes);
        }
    }
    InstallBuffer(std::move(flipped), m_nWidth, m_nHeight, m_nBytesPerPixel);
}
