// The single-channel block codec: 16 8-bit values of one channel of a 4x4
// block to and from an 8-byte block of two endpoints and 16 3-bit indices.
#pragma once

#include <cstdint>

// The encoder the library uses, compiled once per SIMD target and chosen at
// run time; it gives exactly the bytes of the reference.
void SingleChannelEncodeBlock(const uint8_t values[16], uint8_t block[8]);

// The straightforward encoder that defines the result.
void SingleChannelEncodeBlockReference(const uint8_t values[16], uint8_t block[8]);

// The SIMD target (a HWY_* target bit) the fast encoder runs on.
int64_t SingleChannelEncoderTarget();

void SingleChannelDecodeBlock(const uint8_t block[8], uint8_t values[16]);
