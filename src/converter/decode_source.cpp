// The first stage of the 8-bit route: the source, whatever its kind, as an
// 8-bit RGBA working image at the source's size.
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
