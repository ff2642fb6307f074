// How far a decoded level is from its reference: squared error for PSNR and
// the largest absolute error of each channel, over the channels that the
// texture's type stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

struct ChannelSet {
    std::vector<uint32_t> indices;  // 0 red, 1 green, 2 blue, 3 alpha
    std::string names;              // "RGB", "RG", ...
};

// RGBA for the ATC types with alpha and for RGBA8888, RGB for ATC RGB and
// ETC1, R for 3DC X, R and G for 3DC XY.
ChannelSet StoredChannels(uint32_t format);

struct ErrorMeasure {
    uint64_t squaredSum = 0;
    uint64_t values = 0;        // channel values compared
    uint32_t maxError[4] = {};  // by channel index

    // Adds the differences of two pictures of the same size.
    void Add(const RGBAPicture& decoded, const RGBAPicture& reference, const ChannelSet& channels);
    void Merge(const ErrorMeasure& other);

    double MeanSquaredError() const;
    // 10 log10(255^2 / MSE) in dB; infinity when the pictures agree.
    double Psnr() const;
};

// Each channel's absolute difference times 8, at most 255, for the colour
// channels among those stored (the others 0), on an opaque picture.
RGBAPicture DifferencePicture(const RGBAPicture& decoded, const RGBAPicture& reference,
                              const ChannelSet& channels);
