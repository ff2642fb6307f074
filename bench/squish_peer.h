// libsquish's BC4 and BC5 encoders and a decoder built from its own DXT5
// alpha decoder (its BC4/BC5 image decoder gives wrong pixels).
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

// BC4 takes the red channel, BC5 red (first 8 bytes of a block) and green.
void SquishEncode(const Picture& picture, bool twoChannels, std::vector<uint8_t>* blocks);

// Writes red (and green for BC5) of every pixel into rgba, 4 bytes a pixel;
// blue is 0 and alpha 255.
void SquishDecode(const std::vector<uint8_t>& blocks, uint32_t width, uint32_t height,
                  bool twoChannels, std::vector<uint8_t>* rgba);
