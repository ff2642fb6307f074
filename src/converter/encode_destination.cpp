// The last stage of the 8-bit route: the working image written into the
// destination in the destination's format.
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
