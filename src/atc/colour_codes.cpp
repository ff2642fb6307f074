// Conversions between texel colours and the 5:6:5 and 1:5:5:5 colour codes.
#include <cstdlib>

#include "atc_internal.h"

namespace {

// A field of n bits widened to a byte by repeating its top bits below it.
int Widen(int q, int bits) { return (q << (8 - bits)) | (q >> (2 * bits - 8)); }

// The truncated code, or its neighbour with the lowest bit flipped when that
// one reconstructs strictly closer to the value.
int Quantise(int value, int bits) {
    int q = value >> (8 - bits);
    int other = q ^ 1;
    if (std::abs(value - Widen(other, bits)) < std::abs(value - Widen(q, bits))) {
        return other;
    }
    return q;
}

}  // namespace

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
