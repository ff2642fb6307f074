// The explicit alpha block's nibble order and widening.
#include <gtest/gtest.h>

#include "atc_internal.h"

namespace {

TEST(AlphaNibbles, UnpackWidensEachNibbleBySeventeen) {
    const uint8_t block[8] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    uint8_t alpha[16];
    UnpackAlphaNibbles(block, alpha);
    for (int t = 0; t < 16; ++t) {
        EXPECT_EQ(alpha[t], 17 * t) << t;
    }
}

TEST(AlphaNibbles, PackPutsTexelZeroInTheLowestBits) {
    uint8_t nibbles[16];
    for (int t = 0; t < 16; ++t) {
        nibbles[t] = static_cast<uint8_t>(t);
    }
    uint8_t block[8];
    PackAlphaNibbles(nibbles, block);
    const uint8_t expected[8] = {0x10, 0x32, 0x54, 0x76, 0x98, 0xBA, 0xDC, 0xFE};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(block[i], expected[i]) << i;
    }
}

}  // namespace
