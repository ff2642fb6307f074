// The 5:6:5 and 1:5:5:5 colour codes and their decoding.
#include <gtest/gtest.h>

#include "atc_internal.h"

namespace {

struct FieldCase {
    uint8_t value;
    int field5;
    int field6;
};

// A channel value put in all three channels of 5:6:5 shows both field widths.
TEST(ColourCodes, NearestOfTruncatedCodeAndItsNeighbour) {
    const FieldCase cases[] = {
        {15, 1, 3},    {4, 0, 1},     {7, 1, 1},     {128, 16, 32},
        {248, 30, 62}, {255, 31, 63}, {252, 31, 62},
    };
    for (const FieldCase& c : cases) {
        uint16_t code = Encode565({{c.value, c.value, c.value}});
        EXPECT_EQ(code >> 11, c.field5) << int{c.value};
        EXPECT_EQ((code >> 5) & 63, c.field6) << int{c.value};
        EXPECT_EQ(code & 31, c.field5) << int{c.value};
    }
}

TEST(ColourCodes, WorkedCodes) {
    EXPECT_EQ(Encode565({{255, 0, 0}}), 0xF800);
    EXPECT_EQ(Encode1555({{255, 0, 0}}, 1), 0xFC00);
    EXPECT_EQ(Encode565({{15, 15, 15}}), 0x0861);
    EXPECT_EQ(Encode1555({{248, 248, 248}}, 0), 0x7BDE);
}

TEST(ColourCodes, DecodingReplicatesTopBits) {
    TexelColour c = Decode565(0x0861);
    EXPECT_EQ(c.ch[0], 8);
    EXPECT_EQ(c.ch[1], 12);
    EXPECT_EQ(c.ch[2], 8);
    c = Decode565(0xFFFF);
    EXPECT_EQ(c.ch[0], 255);
    EXPECT_EQ(c.ch[1], 255);
    EXPECT_EQ(c.ch[2], 255);
    c = Decode565(0x8410);  // 16, 32, 16
    EXPECT_EQ(c.ch[0], 132);
    EXPECT_EQ(c.ch[1], 130);
    EXPECT_EQ(c.ch[2], 132);
    int mode = -1;
    c = Decode1555(0x7BDE, &mode);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(c.ch[0], 247);
    EXPECT_EQ(c.ch[1], 247);
    EXPECT_EQ(c.ch[2], 247);
    c = Decode1555(0xFC00, &mode);
    EXPECT_EQ(mode, 1);
    EXPECT_EQ(c.ch[0], 255);
    EXPECT_EQ(c.ch[1], 0);
    EXPECT_EQ(c.ch[2], 0);
}

// Every decoded code encodes back to itself.
TEST(ColourCodes, DecodedColoursRoundTrip) {
    for (uint32_t code = 0; code < 0x10000; ++code) {
        ASSERT_EQ(Encode565(Decode565(static_cast<uint16_t>(code))), code);
        int mode = 0;
        TexelColour c = Decode1555(static_cast<uint16_t>(code), &mode);
        ASSERT_EQ(Encode1555(c, mode), code);
    }
}

}  // namespace
