// The base choosers' per-channel quantizers as tables by channel sum: a
// sub-block's average is always its integer channel sum (0..2040) times
// 0.125, so each quantized value depends on the sum alone. The entries are
// computed at compile time with the same IEEE operations, and tests compare
// every entry with ChooseAverageBases and ChooseChromaFitBases.
#pragma once

#include <cstdint>

struct Etc1AverageTables {
    uint8_t quantize5[2041];
    uint8_t quantize4[2041];
};

constexpr Etc1AverageTables MakeEtc1AverageTables() {
    Etc1AverageTables tables{};
    for (int sum = 0; sum <= 2040; ++sum) {
        const float average = static_cast<float>(sum * 0.125);
        tables.quantize5[sum] = static_cast<uint8_t>(
            static_cast<uint32_t>(static_cast<double>(average) * 31 / 255 + 0.5));
        tables.quantize4[sum] = static_cast<uint8_t>(
            static_cast<uint32_t>(static_cast<double>(average) / 17 + 0.5 + 0.0001f));
    }
    return tables;
}

inline constexpr Etc1AverageTables kEtc1AverageTables = MakeEtc1AverageTables();

// The lower candidates of QuantizeChromaFit: the integer part of the average
// divided by the single-precision step, 255 / 31 or 17.
struct Etc1ChromaFitTables {
    uint8_t lower5[2041];
    uint8_t lower4[2041];
};

constexpr Etc1ChromaFitTables MakeEtc1ChromaFitTables() {
    Etc1ChromaFitTables tables{};
    for (int sum = 0; sum <= 2040; ++sum) {
        const float average = static_cast<float>(sum * 0.125);
        tables.lower5[sum] =
            static_cast<uint8_t>(static_cast<uint32_t>(average / 8.22580623626709f));
        tables.lower4[sum] = static_cast<uint8_t>(static_cast<uint32_t>(average / 17.0f));
    }
    return tables;
}

inline constexpr Etc1ChromaFitTables kEtc1ChromaFitTables = MakeEtc1ChromaFitTables();
