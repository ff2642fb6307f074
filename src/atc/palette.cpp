// The four palette colours that a colour block's codes make, and decoding a
// whole block.
#include <algorithm>

#include "atc_internal.h"

namespace {

// Lower and upper bounds of the luminance of any colour that a 5:6:5 code
// could have come from.
int LuminanceFloor(const TexelColour& c) {
    return Luminance({{static_cast<uint8_t>(c.ch[0] & 0xF8), static_cast<uint8_t>(c.ch[1] & 0xFC),
                       static_cast<uint8_t>(c.ch[2] & 0xF8)}});
}

int LuminanceCeil(const TexelColour& c) {
    return Luminance({{static_cast<uint8_t>(c.ch[0] | 7), static_cast<uint8_t>(c.ch[1] | 3),
                       static_cast<uint8_t>(c.ch[2] | 7)}});
}

}  // namespace

ColourPalette BuildColourPalette(uint16_t colour0, uint16_t colour1, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        TexelColour a = Decode565(colour0);
        TexelColour b = Decode565(colour1);
        if (LuminanceFloor(a) > LuminanceCeil(b)) {
            return BlackModePalette(b, a);
        }
        return InterpolatedPalette(a, b);
    }
    int mode = 0;
    TexelColour c0 = Decode1555(colour0, &mode);
    TexelColour c1 = Decode565(colour1);
    return mode != 0 ? BlackModePalette(c0, c1) : InterpolatedPalette(c0, c1);
}

void DecodeColourBlock(uint32_t indexWord, uint16_t colour0, uint16_t colour1, uint32_t format,
                       ColourBlock* texels) {
    ColourPalette palette = BuildColourPalette(colour0, colour1, format);
    for (int t = 0; t < 16; ++t) {
        const TexelColour& entry = palette.entry[(indexWord >> (2 * t)) & 3];
        for (int k = 0; k < 3; ++k) {
            texels->texel[t][k] = entry.ch[k];
        }
    }
}
