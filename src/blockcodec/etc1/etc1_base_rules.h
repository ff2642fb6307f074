// The rules that turn a sub-block's channel sums into base colour fields,
// each defined once: the average, the average-colour quantizers and the
// chroma fit's lower candidates and weights. Both base choosers and the
// fast encoder's tables by channel sum are built from them: an average is
// always an integer channel sum (0..2040) times 0.125, so each quantized
// value depends on the sum alone, and the tables are computed at compile
// time with the same IEEE operations.
#pragma once

#include <cstdint>

// The average of a sub-block channel whose 8 values add up to sum.
constexpr float Etc1ChannelAverage(int sum) { return static_cast<float>(sum * 0.125); }

// The 5-bit field nearest to an average, in double precision.
constexpr uint32_t Etc1Quantize5(float average) {
    return static_cast<uint32_t>(static_cast<double>(average) * 31 / 255 + 0.5);
}

// The 4-bit field nearest to an average; the 0.0001 is a single-precision
// constant added after the rounding half.
constexpr uint32_t Etc1Quantize4(float average) {
    return static_cast<uint32_t>(static_cast<double>(average) / 17 + 0.5 + 0.0001f);
}

// The chroma fit's steps between field values: 255 / 31 as a
// single-precision value, and 17.
inline constexpr float kEtc1Step5 = 8.22580623626709f;
inline constexpr float kEtc1Step4 = 17.0f;

// The chroma fit's lower candidate: the integer part of the average divided
// by the single-precision step; the higher one is the next field value.
constexpr uint32_t Etc1LowerField(float average, float step) {
    return static_cast<uint32_t>(average / step);
}

// The chroma fit's weights of the squared differences between the red and
// green, red and blue, and green and blue quantization errors: the pairwise
// products of the luma weights 0.299, 0.587 and 0.114, as the six-digit
// literals. They must stay the literals: 0.299 x 0.587 in double precision
// is the double just below 0.175513 (the other two products round to their
// literals).
inline constexpr double kEtc1RedGreenWeight = 0.175513;
inline constexpr double kEtc1RedBlueWeight = 0.034086;
inline constexpr double kEtc1GreenBlueWeight = 0.066918;

// The spread of one combination of quantization errors: the weighted
// squares promoted to double, added left to right, rounded once to float.
constexpr float Etc1ChromaSpread(float rg, float rb, float gb) {
    return static_cast<float>(kEtc1RedGreenWeight * (rg * rg) + kEtc1RedBlueWeight * (rb * rb) +
                              kEtc1GreenBlueWeight * (gb * gb));
}

// The average-colour quantizers by channel sum.
struct Etc1AverageTables {
    uint8_t quantize5[2041];
    uint8_t quantize4[2041];
};

constexpr Etc1AverageTables MakeEtc1AverageTables() {
    Etc1AverageTables tables{};
    for (int sum = 0; sum <= 2040; ++sum) {
        tables.quantize5[sum] = static_cast<uint8_t>(Etc1Quantize5(Etc1ChannelAverage(sum)));
        tables.quantize4[sum] = static_cast<uint8_t>(Etc1Quantize4(Etc1ChannelAverage(sum)));
    }
    return tables;
}

inline constexpr Etc1AverageTables kEtc1AverageTables = MakeEtc1AverageTables();

// The chroma fit's lower candidates by channel sum.
struct Etc1ChromaFitTables {
    uint8_t lower5[2041];
    uint8_t lower4[2041];
};

constexpr Etc1ChromaFitTables MakeEtc1ChromaFitTables() {
    Etc1ChromaFitTables tables{};
    for (int sum = 0; sum <= 2040; ++sum) {
        tables.lower5[sum] =
            static_cast<uint8_t>(Etc1LowerField(Etc1ChannelAverage(sum), kEtc1Step5));
        tables.lower4[sum] =
            static_cast<uint8_t>(Etc1LowerField(Etc1ChannelAverage(sum), kEtc1Step4));
    }
    return tables;
}

inline constexpr Etc1ChromaFitTables kEtc1ChromaFitTables = MakeEtc1ChromaFitTables();
