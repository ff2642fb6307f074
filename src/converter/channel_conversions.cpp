// Channel values between bit fields, bytes and 16-bit values.
#include "channel_conversions.h"

#include <bit>

#include "morlune.h"

uint32_t MaskWidth(uint32_t mask) { return uint32_t(std::popcount(mask)); }

uint32_t MaskShift(uint32_t mask) { return mask == 0 ? 0 : uint32_t(std::countr_zero(mask)); }

uint8_t WidenChannel(uint8_t value, uint32_t width) {
    switch (width) {
        case 1:
            return value != 0 ? 255 : 0;
        case 2:
        case 3:
        case 7:
            throw TRC_FAILED;
        case 4:
        case 5:
        case 6:
            return uint8_t(value | (value >> width));
        default:
            return value;
    }
}

namespace {

// The channel under a nonzero mask as a byte: narrow fields widened from the
// top of the byte, wide fields cut to their top 8 bits.
uint8_t ChannelByte(uint32_t pixel, uint32_t mask) {
    const uint32_t width = MaskWidth(mask);
    const uint32_t field = (pixel & mask) >> MaskShift(mask);
    if (width > 8) {
        return uint8_t(field >> (width - 8));
    }
    return WidenChannel(uint8_t(field << (8 - width)), width);
}

}  // namespace

uint8_t ExtractColourChannel(uint32_t pixel, uint32_t mask) {
    return mask == 0 ? 0 : ChannelByte(pixel, mask);
}

uint8_t ExtractAlphaChannel(uint32_t pixel, uint32_t mask) {
    return mask == 0 ? 255 : ChannelByte(pixel, mask);
}

uint32_t InsertChannel(uint8_t value, uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const uint32_t width = MaskWidth(mask);
    const uint32_t shift = MaskShift(mask);
    if (width <= 8) {
        return (uint32_t(value) >> (8 - width)) << shift;
    }
    // The byte fills the field from its top, repeated until the field is full.
    uint64_t field = 0;
    for (int32_t bitsLeft = int32_t(width); bitsLeft > 0; bitsLeft -= 8) {
        field |=
            bitsLeft >= 8 ? uint64_t(value) << (bitsLeft - 8) : uint64_t(value) >> (8 - bitsLeft);
    }
    return uint32_t(field << shift);
}

float ByteToFloat(uint8_t value) { return float(value) / 255.0f; }

uint8_t FloatToByte(float value) {
    if (!(value >= 0.0f)) {
        return 0;
    }
    if (value > 1.0f) {
        return 255;
    }
    return uint8_t(int32_t(double(value) * 255.0) & 0xFF);
}

uint8_t NarrowSixteen(uint16_t value) { return value > 255 ? 255 : uint8_t(value); }

uint16_t WidenToSixteen(uint8_t value) { return value; }
