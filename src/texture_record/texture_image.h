// The record that carries one image or mip level between the front end, the
// containers and the conversion engine.
#pragma once

#include <cstdint>

// Thirteen words hung on every TextureImage. Words 0 to 4 override the
// format's own layout when nonzero; the rest are per-conversion settings
// read by the engine. All zero in a record made by CreateTextureImage.
struct PixelLayout {
    uint32_t nPitch;
    uint32_t nRedMask;
    uint32_t nGreenMask;
    uint32_t nBlueMask;
    uint32_t nAlphaMask;
    uint32_t bFlipX;
    uint32_t bFlipY;
    uint32_t nEncodeSpeed;
    uint32_t nScaleFilter;
    uint32_t nNormalMapFilter;
    uint32_t nNormalMapScale;
    uint32_t bNormalMapWrap;
    uint32_t nControl;
};
static_assert(sizeof(PixelLayout) == 13 * sizeof(uint32_t));

struct TextureImage {
    uint32_t nWidth;
    uint32_t nHeight;
    uint32_t nFormat;
    PixelLayout* pPixelLayout;
    uint32_t nDataSize;
    uint8_t* pData;
};
