// Validation of a request: the first check that applies decides, and a
// request that passes them all is given its route.
#include "morlune_converter.h"

namespace {

uint32_t ControlWord(const TextureImage* image) {
    return image != nullptr && image->pPixelLayout != nullptr ? image->pPixelLayout->nControl : 0;
}

}  // namespace

ConversionRoute Morlune::Validate() {
    if (m_pDst == nullptr) {
        Fail(TRC_NO_DESTINATION, nullptr);
    }
    // Quiet covers every message of the call, the format checks' included.
    if (ControlWord(m_pSrc) == kControlQuiet || ControlWord(m_pDst) == kControlQuiet) {
        m_bVerbose = false;
    }
    const uint32_t sourceControl = ImgInfo(m_pSrc, INFO_CONTROL);
    const uint32_t destinationControl = ImgInfo(m_pDst, INFO_CONTROL);
    if (sourceControl == kControlQueryVersion || destinationControl == kControlQueryVersion) {
        return ROUTE_QUERY_VERSION;
    }
    if (m_pDst->pData == nullptr) {
        return ROUTE_QUERY_SIZE;
    }
    if (m_pDst->nDataSize < ImgSize(m_pDst)) {
        Fail(TRC_BUFFER_TOO_SMALL, "m_pDst->nDataSize is to small");
    }
    CheckSource();
    if (m_pDst->nWidth == 0) {
        Fail(TRC_BAD_DIMENSIONS, "m_pDst->nWidth == 0");
    }
    if (m_pDst->nHeight == 0) {
        Fail(TRC_BAD_DIMENSIONS, "m_pDst->nHeight == 0");
    }
    CheckPitch(m_pSrc);
    CheckPitch(m_pDst);
    if (ImgInfo(m_pSrc, INFO_IS_FLOAT) != 0 && ImgInfo(m_pDst, INFO_IS_FLOAT) != 0) {
        return ROUTE_FLOAT;
    }
    if (ImgInfo(m_pSrc, INFO_IS_16BIT) != 0 && ImgInfo(m_pDst, INFO_IS_16BIT) != 0) {
        return ROUTE_RGBA16;
    }
    return ROUTE_RGBA8;
}

void Morlune::CheckSource() const {
    if (m_pSrc == nullptr) {
        Fail(TRC_NO_DATA, "m_pSrc == NULL");
    }
    if (m_pSrc->nWidth == 0) {
        Fail(TRC_BAD_DIMENSIONS, "m_pSrc->nWidth == 0");
    }
    if (m_pSrc->nHeight == 0) {
        Fail(TRC_BAD_DIMENSIONS, "m_pSrc->nHeight == 0");
    }
    if (m_pSrc->pData == nullptr) {
        Fail(TRC_NO_DATA, "m_pSrc->pData == NULL");
    }
    // A size of 0 states nothing; any other size must hold the whole image.
    const uint32_t size = ImgSize(m_pSrc);
    if (m_pSrc->nDataSize != 0 && m_pSrc->nDataSize < size) {
        Fail(TRC_NO_DATA, "m_pSrc->nDataSize is to small");
    }
}

void Morlune::CheckPitch(const TextureImage* image) const {
    const uint32_t pitch = image->pPixelLayout != nullptr ? image->pPixelLayout->nPitch : 0;
    if (pitch == 0) {
        return;
    }
    const uint64_t row = (uint64_t(ImgInfo(image, INFO_BITS_PER_PIXEL)) * image->nWidth + 7) / 8;
    const bool rowsWithoutGaps =
        ImgInfo(image, INFO_IS_16BIT) != 0 || ImgInfo(image, INFO_IS_FLOAT) != 0;
    if (pitch < row || (rowsWithoutGaps && pitch != row)) {
        Fail(TRC_FAILED, "nPitch does not fit the image");
    }
}
