// The ETC1 modifier table and the 2-bit pixel codes of its columns.
#pragma once

#include <cstdint>

// Per codeword, the modifiers in column order: large negative, small
// negative, small positive, large positive.
constexpr int Etc1ModifierTable[8][4] = {
    {-8, -2, 2, 8},     {-17, -5, 5, 17},   {-29, -9, 9, 29},     {-42, -13, 13, 42},
    {-60, -18, 18, 60}, {-80, -24, 24, 80}, {-106, -33, 33, 106}, {-183, -47, 47, 183},
};

// The pixel code stored for each column, and the column each code selects.
constexpr uint32_t Etc1CodeOfColumn[4] = {3, 2, 0, 1};
constexpr int Etc1ColumnOfCode[4] = {2, 3, 1, 0};

constexpr uint8_t Etc1Widen4(uint32_t q) { return static_cast<uint8_t>(q * 17); }

constexpr uint8_t Etc1Widen5(uint32_t q) { return static_cast<uint8_t>((q << 3) | (q >> 2)); }

constexpr uint8_t Etc1ClampChannel(int value) {
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}
