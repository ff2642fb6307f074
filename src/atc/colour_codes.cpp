// Conversions between texel colours and the 5:6:5 and 1:5:5:5 colour codes,
// and the codes of a block's two colours.
#include "atc_internal.h"
#include "colour_tables.h"

using colour_tables::Quantise;
using colour_tables::Widen;

TexelColour Decode565(uint16_t code) {
    return {{static_cast<uint8_t>(Widen((code >> 11) & 31, 5)),
             static_cast<uint8_t>(Widen((code >> 5) & 63, 6)),
             static_cast<uint8_t>(Widen(code & 31, 5))}};
}

TexelColour Decode1555(uint16_t code, int* mode) {
    *mode = (code >> 15) & 1;
    return {{static_cast<uint8_t>(Widen((code >> 10) & 31, 5)),
             static_cast<uint8_t>(Widen((code >> 5) & 31, 5)),
             static_cast<uint8_t>(Widen(code & 31, 5))}};
}

uint16_t Encode565(const TexelColour& colour) {
    return static_cast<uint16_t>((Quantise(colour.ch[0], 5) << 11) |
                                 (Quantise(colour.ch[1], 6) << 5) | Quantise(colour.ch[2], 5));
}

uint16_t Encode1555(const TexelColour& colour, int mode) {
    return static_cast<uint16_t>((mode != 0 ? 0x8000 : 0) | (Quantise(colour.ch[0], 5) << 10) |
                                 (Quantise(colour.ch[1], 5) << 5) | Quantise(colour.ch[2], 5));
}

ColourCodes EncodeColourCodes(const ColourSources& sources, int mode, uint32_t format) {
    if (format == FORMAT_ATC_ORDER_MODE) {
        return {Encode565(sources.source0), Encode565(sources.source1)};
    }
    return {Encode1555(sources.source0, mode), Encode565(sources.source1)};
}
