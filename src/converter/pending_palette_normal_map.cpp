// Stages whose implementation has not landed yet; each fails the call.
#include "morlune_converter.h"

void Morlune::MakeNormalMap() {
    if (ImgInfo(m_pDst, INFO_NORMAL_MAP_FILTER) != 0) {
        Fail(TRC_FAILED, nullptr);
    }
}
void Morlune::BuildPalette() { Fail(TRC_FAILED, nullptr); }
