#include "atc.h"

int32_t ATI_TC_Encode(const uint8_t*, uint32_t, uint32_t, uint32_t, uint32_t, int32_t, int32_t,
                      int32_t, uint32_t, uint32_t, ATI_TC_Header*, uint8_t*, uint32_t*) {
    return RESULT_UNKNOWN_FORMAT;
}

int32_t ATI_TC_EncodeFast(const uint8_t*, uint32_t, uint32_t, uint32_t, uint32_t, int32_t,
                          int32_t, int32_t, uint32_t, uint32_t, ATI_TC_Header*, uint8_t*,
                          uint32_t*) {
    return RESULT_UNKNOWN_FORMAT;
}

int32_t ATI_TC_Decode(const ATI_TC_Header*, const uint8_t*, uint32_t, uint8_t*, uint32_t*) {
    return RESULT_UNKNOWN_FORMAT;
}

uint32_t AtcEncodeColourBlock(const ColourBlock&, uint16_t* colour0, uint16_t* colour1) {
    *colour0 = 0;
    *colour1 = 0;
    return 0;
}

void AtcDecodeColourBlock(uint32_t, uint16_t, uint16_t, ColourBlock* texels) { *texels = {}; }

void AtcPackExplicitAlpha(const AlphaBlock&, uint8_t block[8]) {
    for (int i = 0; i < 8; ++i) {
        block[i] = 0;
    }
}

void AtcUnpackExplicitAlpha(const uint8_t[8], AlphaBlock* alpha) { *alpha = {}; }
