#include "morlune.h"

int32_t MorluneConvert(const TextureImage*, TextureImage*) { return TRC_FAILED; }
