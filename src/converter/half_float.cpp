// IEEE half floats: truncating conversion from floats, exact conversion to
// floats.
#include <bit>
#include <cmath>

#include "channel_conversions.h"

namespace {

constexpr uint16_t kHalfInfinity = 0x7C00;
constexpr uint16_t kHalfQuietNaN = 0x7E00;

}  // namespace

uint16_t FloatToHalf(float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    const uint16_t sign = uint16_t((bits >> 16) & 0x8000);
    const int32_t exponent = int32_t((bits >> 23) & 0xFF);
    const uint32_t mantissa = bits & 0x7FFFFF;
    if (exponent == 0xFF) {
        return mantissa != 0 ? kHalfQuietNaN : uint16_t(sign | kHalfInfinity);
    }
    if (exponent == 0) {
        return sign;  // float subnormals lie far below the smallest half
    }
    const int32_t halfExponent = exponent - 112;
    if (halfExponent >= 31) {
        return uint16_t(sign | kHalfInfinity);
    }
    if (halfExponent <= 0) {
        // Subnormal half: the significand scaled by 2^24, truncated.
        const uint32_t shift = uint32_t(14 - halfExponent);
        const uint32_t significand = 0x800000 | mantissa;
        return uint16_t(sign | (shift < 24 ? significand >> shift : 0));
    }
    return uint16_t(sign | (uint32_t(halfExponent) << 10) | (mantissa >> 13));
}

float HalfToFloat(uint16_t half) {
    const uint32_t sign = uint32_t(half & 0x8000) << 16;
    const uint32_t exponent = (half >> 10) & 0x1F;
    const uint32_t mantissa = half & 0x3FF;
    if (exponent == 0) {
        const float magnitude = std::ldexp(float(mantissa), -24);
        return sign != 0 ? -magnitude : magnitude;
    }
    if (exponent == 0x1F) {
        return std::bit_cast<float>(sign | 0x7F800000 | (mantissa << 13));
    }
    return std::bit_cast<float>(sign | ((exponent + 112) << 23) | (mantissa << 13));
}

uint8_t HalfToByte(uint16_t half) { return FloatToByte(HalfToFloat(half)); }

uint16_t ByteToHalf(uint8_t value) { return FloatToHalf(ByteToFloat(value)); }
