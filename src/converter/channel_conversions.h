// Conversions of single channel values between bit fields, bytes, 16-bit
// values, floats and half floats. Each is fixed bit for bit: its rounding
// shows in the engine's output.
#pragma once

#include <cstdint>

// Width (set bits) and shift (zero bits below the lowest set bit; 0 for an
// empty mask) of a channel mask.
uint32_t MaskWidth(uint32_t mask);
uint32_t MaskShift(uint32_t mask);

// Widens an n-bit value held at the top of a byte. Throws TRC_FAILED for
// widths 2, 3 and 7.
uint8_t WidenChannel(uint8_t value, uint32_t width);

// A colour channel of pixel value P under mask (0 for an empty mask), and
// the alpha channel (255 for an empty mask). Masks wider than 8 bits give
// the channel's top 8 bits.
uint8_t ExtractColourChannel(uint32_t pixel, uint32_t mask);
uint8_t ExtractAlphaChannel(uint32_t pixel, uint32_t mask);

// The contribution of a channel byte to a pixel value under mask: its top
// bits for narrow masks; for masks wider than 8 bits the byte in the top 8
// bits, repeated into the lower ones.
uint32_t InsertChannel(uint8_t value, uint32_t mask);

float ByteToFloat(uint8_t value);
uint8_t FloatToByte(float value);  // saturates: above 1.0 gives 255, below 0.0 and NaN give 0
uint16_t FloatToHalf(float value);
float HalfToFloat(uint16_t half);
uint8_t HalfToByte(uint16_t half);
uint16_t ByteToHalf(uint8_t value);

// 16-bit channels carry the byte scale: narrowing saturates at 255,
// widening zero-extends.
uint8_t NarrowSixteen(uint16_t value);
uint16_t WidenToSixteen(uint8_t value);
