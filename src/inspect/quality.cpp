// The channels that each texture type stores, and the error measures and
// difference picture over them.
#include "quality.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

constexpr uint32_t kDifferenceGain = 8;

}  // namespace

ChannelSet StoredChannels(uint32_t format) {
    switch (format) {
        case 23:  // ATC RGB
        case 25:  // ETC1 RGB8
            return {{0, 1, 2}, "RGB"};
        case 26:  // 3DC X
            return {{0}, "R"};
        case 27:  // 3DC XY
            return {{0, 1}, "RG"};
        default:  // RGBA8888 and the ATC types with alpha
            return {{0, 1, 2, 3}, "RGBA"};
    }
}

void ErrorMeasure::Add(const RGBAPicture& decoded, const RGBAPicture& reference,
                       const ChannelSet& channels) {
    const size_t pixelCount = std::min(decoded.pixels.size(), reference.pixels.size()) / 4;
    for (const uint32_t channel : channels.indices) {
        uint64_t sum = 0;
        uint32_t largest = maxError[channel];
        for (size_t i = 0; i < pixelCount; ++i) {
            const int difference = std::abs(int(decoded.pixels[4 * i + channel]) -
                                            int(reference.pixels[4 * i + channel]));
            sum += uint64_t(difference * difference);
            largest = std::max(largest, uint32_t(difference));
        }
        squaredSum += sum;
        values += pixelCount;
        maxError[channel] = largest;
    }
}

void ErrorMeasure::Merge(const ErrorMeasure& other) {
    squaredSum += other.squaredSum;
    values += other.values;
    for (int channel = 0; channel < 4; ++channel) {
        maxError[channel] = std::max(maxError[channel], other.maxError[channel]);
    }
}

double ErrorMeasure::MeanSquaredError() const {
    return values == 0 ? 0.0 : double(squaredSum) / double(values);
}

double ErrorMeasure::Psnr() const {
    const double mse = MeanSquaredError();
    if (mse == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

RGBAPicture DifferencePicture(const RGBAPicture& decoded, const RGBAPicture& reference,
                              const ChannelSet& channels) {
    RGBAPicture picture;
    picture.width = decoded.width;
    picture.height = decoded.height;
    picture.pixels.assign(decoded.pixels.size(), 0);
    const size_t pixelCount = std::min(decoded.pixels.size(), reference.pixels.size()) / 4;
    for (size_t i = 0; i < pixelCount; ++i) {
        for (const uint32_t channel : channels.indices) {
            if (channel < 3) {
                const uint32_t difference = uint32_t(std::abs(
                    int(decoded.pixels[4 * i + channel]) - int(reference.pixels[4 * i + channel])));
                picture.pixels[4 * i + channel] =
                    uint8_t(std::min(difference * kDifferenceGain, 255u));
            }
        }
        picture.pixels[4 * i + 3] = 255;
    }
    return picture;
}
