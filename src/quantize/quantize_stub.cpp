#include "quantize.h"

bool QuantizeImage(uint8_t*, uint8_t*, uint8_t*, uint32_t, uint32_t, uint32_t) { return false; }
