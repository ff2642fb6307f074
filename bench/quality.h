// Squared error between two RGBA pictures over chosen channels, and PSNR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum Channel : unsigned {
    CHANNEL_R = 1,
    CHANNEL_G = 2,
    CHANNEL_B = 4,
    CHANNEL_A = 8,
};
constexpr unsigned CHANNELS_RGB = CHANNEL_R | CHANNEL_G | CHANNEL_B;
constexpr unsigned CHANNELS_RGBA = CHANNELS_RGB | CHANNEL_A;

struct SquaredError {
    double sum = 0.0;    // sum of squared differences
    uint64_t count = 0;  // number of channel values compared
};

// Compares pixels 4-byte RGBA values of a and b on the channels in mask.
SquaredError MeasureSquaredError(const uint8_t* a, const uint8_t* b, size_t pixels, unsigned mask);

// 10 log10(255^2 / MSE); infinity when the pictures agree, NaN when nothing
// was compared.
double Psnr(const SquaredError& error);

// "RGB", "RG", "R", "RGBA", ...
std::string ChannelNames(unsigned mask);
