// Constant data of the fast ETC1 search, shared by every Highway target.
#pragma once

#include <cstdint>

#include "etc1_modifiers.h"

// The weights of the coarse luma the bounds use (see Bounds): each at most
// 128 times the error weight of its channel, their sum 127.
inline constexpr int32_t kLumaWeight[3] = {38, 75, 14};

struct Etc1SearchTables {
    // Etc1ModifierTable by column, then codeword: the lanes of the bounds.
    alignas(64) int32_t modifier[4][8];
    // The same with each value twice, lanes 2 x codeword and the next one,
    // for bounds over two pixels at a time.
    alignas(64) int16_t modifierPairs[4][16];
    // The coarse luma weights of red and green, and of blue, by lane pair.
    alignas(64) int16_t redGreenWeights[16];
    alignas(64) int16_t blueWeights[16];
};

constexpr Etc1SearchTables MakeEtc1SearchTables() {
    Etc1SearchTables tables{};
    for (int column = 0; column < 4; ++column) {
        for (int codeword = 0; codeword < 8; ++codeword) {
            tables.modifier[column][codeword] = Etc1ModifierTable[codeword][column];
            tables.modifierPairs[column][2 * codeword] =
                static_cast<int16_t>(Etc1ModifierTable[codeword][column]);
            tables.modifierPairs[column][2 * codeword + 1] =
                static_cast<int16_t>(Etc1ModifierTable[codeword][column]);
        }
    }
    for (int pair = 0; pair < 8; ++pair) {
        tables.redGreenWeights[2 * pair] = static_cast<int16_t>(kLumaWeight[0]);
        tables.redGreenWeights[2 * pair + 1] = static_cast<int16_t>(kLumaWeight[1]);
        tables.blueWeights[2 * pair] = static_cast<int16_t>(kLumaWeight[2]);
        tables.blueWeights[2 * pair + 1] = 0;
    }
    return tables;
}

alignas(64) inline constexpr Etc1SearchTables kSearchTables = MakeEtc1SearchTables();

// Turns 128 x 127 times an error into a lower bound on the float error; the
// 0.999 leaves room for every rounding on the way (see Bounds).
inline constexpr float kBoundScale = static_cast<float>(0.999 / (128 * 127));
