#include "quality.h"

#include <cmath>
#include <limits>

SquaredError MeasureSquaredError(const uint8_t* a, const uint8_t* b, size_t pixels, unsigned mask) {
    SquaredError error;
    for (unsigned channel = 0; channel < 4; ++channel) {
        if ((mask & (1u << channel)) == 0) {
            continue;
        }
        uint64_t sum = 0;
        for (size_t i = 0; i < pixels; ++i) {
            const int d = int(a[4 * i + channel]) - int(b[4 * i + channel]);
            sum += uint64_t(d * d);
        }
        error.sum += double(sum);
        error.count += pixels;
    }
    return error;
}

double Psnr(const SquaredError& error) {
    if (error.count == 0) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (error.sum == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    const double mse = error.sum / double(error.count);
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::string ChannelNames(unsigned mask) {
    std::string names;
    const char letters[4] = {'R', 'G', 'B', 'A'};
    for (unsigned channel = 0; channel < 4; ++channel) {
        if ((mask & (1u << channel)) != 0) {
            names += letters[channel];
        }
    }
    return names;
}
