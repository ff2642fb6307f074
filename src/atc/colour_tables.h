// Constant tables of the fast colour-block searches: each channel byte's
// 5- and 6-bit colour-code field and the byte that field decodes to, and
// exact division of class sums by class counts. All are built and checked
// at compile time against the plain arithmetic they replace.
#pragma once

#include <array>
#include <cstdint>

namespace colour_tables {

// A field of n bits widened to a byte by repeating its top bits below it.
constexpr int Widen(int q, int bits) { return (q << (8 - bits)) | (q >> (2 * bits - 8)); }

constexpr int Distance(int a, int b) { return a > b ? a - b : b - a; }

// The truncated code, or its neighbour with the lowest bit flipped when that
// one reconstructs strictly closer to the value.
constexpr int Quantise(int value, int bits) {
    const int q = value >> (8 - bits);
    const int other = q ^ 1;
    return Distance(value, Widen(other, bits)) < Distance(value, Widen(q, bits)) ? other : q;
}

struct FieldTable {
    std::array<uint8_t, 256> code;         // the field a channel byte quantises to
    std::array<uint8_t, 256> reconstruct;  // the byte that field decodes to
};

constexpr FieldTable MakeFieldTable(int bits) {
    FieldTable table{};
    for (int v = 0; v < 256; ++v) {
        table.code[v] = static_cast<uint8_t>(Quantise(v, bits));
        table.reconstruct[v] = static_cast<uint8_t>(Widen(table.code[v], bits));
    }
    return table;
}

inline constexpr FieldTable kField5 = MakeFieldTable(5);
inline constexpr FieldTable kField6 = MakeFieldTable(6);

// Class sums reach at most 16 x 255; counts run from 1 to 16.
constexpr int kLargestSum = 16 * 255;
constexpr int kDivisionShift = 16;

// floor(sum / count) = (sum x kReciprocal[count]) >> kDivisionShift for
// every sum from 0 to kLargestSum: the multiplier is 2^16 / count rounded
// up, whose excess over the true quotient stays below 1 / count for sums
// this small (checked exhaustively below).
constexpr std::array<uint32_t, 17> MakeReciprocals() {
    std::array<uint32_t, 17> reciprocal{};
    for (uint32_t count = 1; count <= 16; ++count) {
        reciprocal[count] = ((1u << kDivisionShift) + count - 1) / count;
    }
    return reciprocal;
}

inline constexpr std::array<uint32_t, 17> kReciprocal = MakeReciprocals();

constexpr int DivideSum(int sum, int count) {
    return static_cast<int>((static_cast<uint32_t>(sum) * kReciprocal[count]) >> kDivisionShift);
}

constexpr bool ReciprocalsAreExact() {
    for (int count = 1; count <= 16; ++count) {
        for (int sum = 0; sum <= kLargestSum; ++sum) {
            if (DivideSum(sum, count) != sum / count) {
                return false;
            }
        }
    }
    return true;
}

static_assert(ReciprocalsAreExact());

}  // namespace colour_tables
