// The four palette colours of a colour block, and decoding a whole block.
#include <algorithm>

#include "atc_internal.h"

namespace {

uint8_t mix(int a, int b, int weightA, int weightB) {
    return static_cast<uint8_t>((weightA * a + weightB * b) >> 3);
}

// Lower and upper bounds of the luminance of any colour that a 5:6:5 code
// could have come from.
int luminanceFloor(const TexelColour& c) {
    return luminance({{static_cast<uint8_t>(c.ch[0] & 0xF8), static_cast<uint8_t>(c.ch[1] & 0xFC),
                       static_cast<uint8_t>(c.ch[2] & 0xF8)}});
}

int luminanceCeil(const TexelColour& c) {
    return luminance({{static_cast<uint8_t>(c.ch[0] | 7), static_cast<uint8_t>(c.ch[1] | 3),
                       static_cast<uint8_t>(c.ch[2] | 7)}});
}

}  // namespace

ColourPalette interpolatedPalette(const TexelColour& first, const TexelColour& last) {
    ColourPalette palette{};
    for (int k = 0; k < 3; ++k) {
        palette.entry[0].ch[k] = first.ch[k];
        palette.entry[1].ch[k] = mix(first.ch[k], last.ch[k], 5, 3);
        palette.entry[2].ch[k] = mix(first.ch[k], last.ch[k], 3, 5);
        palette.entry[3].ch[k] = last.ch[k];
    }
    return palette;
}

ColourPalette blackModePalette(const TexelColour& middle, const TexelColour& bright) {
    ColourPalette palette{};
    for (int k = 0; k < 3; ++k) {
        palette.entry[0].ch[k] = 0;
        palette.entry[1].ch[k] =
            static_cast<uint8_t>(std::max(0, middle.ch[k] - (bright.ch[k] >> 2)));
        palette.entry[2].ch[k] = middle.ch[k];
        palette.entry[3].ch[k] = bright.ch[k];
    }
    return palette;
}

ColourPalette buildColourPalette(uint16_t colour0, uint16_t colour1, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        TexelColour a = decode565(colour0);
        TexelColour b = decode565(colour1);
        if (luminanceFloor(a) > luminanceCeil(b)) {
            return blackModePalette(b, a);
        }
        return interpolatedPalette(a, b);
    }
    int mode = 0;
    TexelColour c0 = decode1555(colour0, &mode);
    TexelColour c1 = decode565(colour1);
    return mode != 0 ? blackModePalette(c0, c1) : interpolatedPalette(c0, c1);
}

void decodeColourBlock(uint32_t indexWord, uint16_t colour0, uint16_t colour1, uint32_t format,
                       ColourBlock* texels) {
    ColourPalette palette = buildColourPalette(colour0, colour1, format);
    for (int t = 0; t < 16; ++t) {
        const TexelColour& entry = palette.entry[(indexWord >> (2 * t)) & 3];
        for (int k = 0; k < 3; ++k) {
            texels->texel[t][k] = entry.ch[k];
        }
    }
}
