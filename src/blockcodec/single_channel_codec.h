// The single-channel block codec: 16 8-bit values of one channel of a 4x4
// block to and from an 8-byte block of two endpoints and 16 3-bit indices.
#pragma once

#include <cstdint>

void SingleChannelEncodeBlock(const uint8_t values[16], uint8_t block[8]);

void SingleChannelDecodeBlock(const uint8_t block[8], uint8_t values[16]);
