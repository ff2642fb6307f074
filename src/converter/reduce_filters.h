// The filters that compute one pixel of a reduced image from its cell of the
// working image, in the 8-bit form (four bytes per pixel) and the float form
// (four floats per pixel).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

// The working image being reduced.
struct ReduceSource {
    const uint8_t* pixels;
    uint32_t width;
    uint32_t height;
};

// One output pixel's cell: its first column and row, the reduction factors
// and the offsets of the cell's sampling centre.
struct ReduceCell {
    uint32_t x0;
    uint32_t y0;
    uint32_t fx;
    uint32_t fy;
    uint32_t hx;
    uint32_t hy;
};

// The cubic B-spline kernel, in single precision.
inline float BSplineWeight(float t) {
    const auto positiveCube = [](float u) { return u >= 0.0f ? u * u * u : 0.0f; };
    return (positiveCube(t + 2.0f) - 4.0f * positiveCube(t + 1.0f) + 6.0f * positiveCube(t) -
            4.0f * positiveCube(t - 1.0f)) *
           0.16666667f;
}

// Channels, sums and results of the 8-bit form.
struct ByteForm {
    using Channel = uint8_t;
    using Sum = uint64_t;
    // The point filter samples this much before the cell's centre.
    static constexpr uint32_t kPointBack = 0;
    static Channel Quarter(Sum sum) { return Channel(sum / 4); }
    static Channel Mean(Sum sum, uint64_t count) { return Channel(sum / count); }
    static Channel FromSpline(float sum) { return Channel(int32_t(sum) & 0xFF); }
};

// Channels, sums and results of the float form.
struct FloatForm {
    using Channel = float;
    using Sum = float;
    static constexpr uint32_t kPointBack = 1;
    static Channel Quarter(Sum sum) { return sum * 0.25f; }
    static Channel Mean(Sum sum, uint64_t count) { return sum / float(count); }
    static Channel FromSpline(float sum) { return sum; }
};

template <typename Form>
struct ReducePixel {
    typename Form::Channel channel[4];
};

template <typename Form>
ReducePixel<Form> ReadPixel(const ReduceSource& source, uint64_t x, uint64_t y) {
    ReducePixel<Form> pixel;
    std::memcpy(pixel.channel, source.pixels + (y * source.width + x) * sizeof(pixel.channel),
                sizeof(pixel.channel));
    return pixel;
}

// Point filter: the pixel near the cell's centre, kept inside the image (an
// axis that is not reduced would otherwise step one past its end).
template <typename Form>
ReducePixel<Form> PointFilter(const ReduceSource& source, const ReduceCell& cell) {
    const uint64_t x =
        std::min<uint64_t>(uint64_t(cell.x0) + cell.hx - Form::kPointBack, source.width - 1);
    const uint64_t y =
        std::min<uint64_t>(uint64_t(cell.y0) + cell.hy - Form::kPointBack, source.height - 1);
    return ReadPixel<Form>(source, x, y);
}

// Four samples: the cell's first column and row and those (2f + 1) / 4 on.
template <typename Form>
ReducePixel<Form> FourSampleFilter(const ReduceSource& source, const ReduceCell& cell) {
    const uint64_t columns[2] = {cell.x0, uint64_t(cell.x0) + (2 * uint64_t(cell.fx) + 1) / 4};
    const uint64_t rows[2] = {cell.y0, uint64_t(cell.y0) + (2 * uint64_t(cell.fy) + 1) / 4};
    typename Form::Sum sum[4] = {};
    for (uint64_t row : rows) {
        for (uint64_t column : columns) {
            const ReducePixel<Form> sample = ReadPixel<Form>(source, column, row);
            for (int c = 0; c < 4; ++c) {
                sum[c] += sample.channel[c];
            }
        }
    }
    ReducePixel<Form> pixel;
    for (int c = 0; c < 4; ++c) {
        pixel.channel[c] = Form::Quarter(sum[c]);
    }
    return pixel;
}

// Box filter: the mean over the whole cell, row by row.
template <typename Form>
ReducePixel<Form> BoxFilter(const ReduceSource& source, const ReduceCell& cell) {
    typename Form::Sum sum[4] = {};
    for (uint64_t row = cell.y0; row < uint64_t(cell.y0) + cell.fy; ++row) {
        for (uint64_t column = cell.x0; column < uint64_t(cell.x0) + cell.fx; ++column) {
            const ReducePixel<Form> sample = ReadPixel<Form>(source, column, row);
            for (int c = 0; c < 4; ++c) {
                sum[c] += sample.channel[c];
            }
        }
    }
    const uint64_t count = uint64_t(cell.fx) * cell.fy;
    ReducePixel<Form> pixel;
    for (int c = 0; c < 4; ++c) {
        pixel.channel[c] = Form::Mean(sum[c], count);
    }
    return pixel;
}

// Cubic B-spline over the 4 x 4 pixels around the cell's centre, column by
// column, with coordinates clamped to the image. Each weighted sample joins
// the sum with one rounding (a fused multiply-add), so a uniform area of 255
// comes to just below 255.
template <typename Form>
ReducePixel<Form> BSplineFilter(const ReduceSource& source, const ReduceCell& cell) {
    const int64_t centreX = int64_t(cell.x0) + cell.hx;
    const int64_t centreY = int64_t(cell.y0) + cell.hy;
    float sum[4] = {};
    for (int32_t i = -1; i <= 2; ++i) {
        const uint64_t x = uint64_t(std::clamp<int64_t>(centreX + i, 0, int64_t(source.width) - 1));
        for (int32_t j = -1; j <= 2; ++j) {
            const uint64_t y =
                uint64_t(std::clamp<int64_t>(centreY + j, 0, int64_t(source.height) - 1));
            const float weight = BSplineWeight(float(i)) * BSplineWeight(float(j));
            const ReducePixel<Form> sample = ReadPixel<Form>(source, x, y);
            for (int c = 0; c < 4; ++c) {
                sum[c] = std::fma(weight, float(sample.channel[c]), sum[c]);
            }
        }
    }
    ReducePixel<Form> pixel;
    for (int c = 0; c < 4; ++c) {
        pixel.channel[c] = Form::FromSpline(sum[c]);
    }
    return pixel;
}
