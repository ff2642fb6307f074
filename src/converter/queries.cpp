// The two requests that convert nothing: the destination's data size and
// the engine's version.
#include <cstring>

#include "morlune_converter.h"

void Morlune::QuerySize() {
    CheckPitch(m_pDst);
    m_pDst->nDataSize = ImgSize(m_pDst);
}

void Morlune::QueryVersion() {
    if (m_pDst->pData == nullptr || m_pDst->nDataSize < sizeof(MORLUNE_VERSION)) {
        Fail(TRC_BUFFER_TOO_SMALL,
             "nDataSize not large enough to hold version number. Should be sizeof(unsigned int)");
    }
    // In the machine's byte order, as an unsigned int.
    std::memcpy(m_pDst->pData, &MORLUNE_VERSION, sizeof(MORLUNE_VERSION));
}
