// Constant data of the fast ETC1 search, shared by every Highway target.
#pragma once

#include <cstdint>

#include "etc1_modifiers.h"

struct Etc1SearchTables {
    // Etc1ModifierTable by column, then codeword: the lanes of the bounds.
    alignas(64) int32_t modifier[4][8];
};

constexpr Etc1SearchTables MakeEtc1SearchTables() {
    Etc1SearchTables tables{};
    for (int column = 0; column < 4; ++column) {
        for (int codeword = 0; codeword < 8; ++codeword) {
            tables.modifier[column][codeword] = Etc1ModifierTable[codeword][column];
        }
    }
    return tables;
}

alignas(64) inline constexpr Etc1SearchTables kSearchTables = MakeEtc1SearchTables();

// Turns 10^6 times an error into a lower bound on the float error; the 0.999
// leaves room for every rounding on the way (see Bounds).
inline constexpr float kBoundScale = 0.999e-6f;
