// The channel conversions between bit fields, bytes, 16-bit values, floats
// and half floats, each fixed bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "channel_conversions.h"
#include "morlune.h"

namespace {

TEST(ChannelConversions, ByteFloatRoundTripKeepsEveryByte) {
    for (uint32_t b = 0; b < 256; ++b) {
        EXPECT_EQ(FloatToByte(ByteToFloat(uint8_t(b))), b);
    }
}

TEST(ChannelConversions, ByteHalfRoundTripLosesOneBelowTheTop) {
    EXPECT_EQ(HalfToByte(ByteToHalf(0)), 0);
    EXPECT_EQ(HalfToByte(ByteToHalf(255)), 255);
    for (uint32_t b = 1; b <= 254; ++b) {
        EXPECT_EQ(HalfToByte(ByteToHalf(uint8_t(b))), b - 1) << b;
    }
}

struct FloatToByteCase {
    float value;
    uint8_t byte;
};

TEST(ChannelConversions, FloatToByteTruncatesInRangeAndSaturatesOutside) {
    const float inf = std::numeric_limits<float>::infinity();
    const FloatToByteCase cases[] = {
        {1.0f, 255},
        {0.5f, 127},
        {0.0f, 0},
        // Saturation: a wrapping conversion gives 126 for 1.5 (382 & 0xFF),
        // a corrupted pixel.
        {1.5f, 255},
        {1.0000001f, 255},
        {-0.5f, 0},
        {-0.0f, 0},
        {inf, 255},
        {-inf, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0},
    };
    for (const FloatToByteCase& c : cases) {
        EXPECT_EQ(FloatToByte(c.value), c.byte) << c.value;
    }
}

struct HalfCase {
    float value;
    uint16_t half;
};

TEST(ChannelConversions, FloatToHalfTruncatesAndHandlesTheEdges) {
    const float inf = std::numeric_limits<float>::infinity();
    const HalfCase cases[] = {
        {1.0f, 0x3C00},
        {0.5f, 0x3800},
        {-2.0f, 0xC000},
        {0.0f, 0x0000},
        {-0.0f, 0x8000},
        {65504.0f, 0x7BFF},
        {65535.0f, 0x7BFF},  // truncated, not rounded up to infinity
        // Too large for a half: infinity of its sign. A wrapping exponent
        // turns 131072.0 into 0x0000.
        {131072.0f, 0x7C00},
        {65536.0f, 0x7C00},
        {-131072.0f, 0xFC00},
        {3.0e38f, 0x7C00},
        {inf, 0x7C00},
        {-inf, 0xFC00},
        {std::numeric_limits<float>::quiet_NaN(), 0x7E00},
        {std::bit_cast<float>(0x7F800001u), 0x7E00},  // signalling NaN comes out quiet
        {std::ldexp(1.0f, -14), 0x0400},              // smallest normal half
        {std::ldexp(1.0f, -15), 0x0200},              // subnormals below it
        {std::ldexp(1.0f, -24), 0x0001},
        {std::ldexp(3.0f, -25), 0x0001},  // 1.5 units of the last place, truncated
        {-std::ldexp(1023.0f, -24), 0x83FF},
        {std::ldexp(1.0f, -25), 0x0000},
        {-std::ldexp(1.0f, -25), 0x8000},
        {std::bit_cast<float>(0x00000001u), 0x0000},  // float subnormal
        {-std::bit_cast<float>(0x00400000u), 0x8000},
    };
    for (const HalfCase& c : cases) {
        EXPECT_EQ(FloatToHalf(c.value), c.half) << c.value;
    }
}

TEST(ChannelConversions, HalfToFloatDecodesEveryClass) {
    const float inf = std::numeric_limits<float>::infinity();
    const HalfCase cases[] = {
        {1.0f, 0x3C00},
        {0.5f, 0x3800},
        {-2.0f, 0xC000},
        {65504.0f, 0x7BFF},
        {std::ldexp(1.0f, -14), 0x0400},
        {std::ldexp(1.0f, -24), 0x0001},
        {std::ldexp(1023.0f, -24), 0x03FF},
        {-std::ldexp(512.0f, -24), 0x8200},
        {inf, 0x7C00},
        {-inf, 0xFC00},
    };
    for (const HalfCase& c : cases) {
        EXPECT_EQ(HalfToFloat(c.half), c.value) << std::hex << c.half;
    }
    EXPECT_EQ(std::bit_cast<uint32_t>(HalfToFloat(0x0000)), 0x00000000u);
    EXPECT_EQ(std::bit_cast<uint32_t>(HalfToFloat(0x8000)), 0x80000000u);
    EXPECT_TRUE(std::isnan(HalfToFloat(0x7E00)));
    EXPECT_TRUE(std::isnan(HalfToFloat(0xFC01)));
}

TEST(ChannelConversions, EveryFiniteHalfSurvivesARoundTrip) {
    for (uint32_t h = 0; h < 0x10000; ++h) {
        if ((h & 0x7C00) == 0x7C00) {
            continue;
        }
        EXPECT_EQ(FloatToHalf(HalfToFloat(uint16_t(h))), h) << std::hex << h;
    }
}

struct MaskCase {
    uint32_t mask;
    uint32_t width;
    uint32_t shift;
};

TEST(ChannelConversions, MaskWidthAndShift) {
    const MaskCase cases[] = {
        {0, 0, 0},           {0x0001, 1, 0},      {0xF800, 5, 11},     {0x07E0, 6, 5},
        {0xFF000000, 8, 24}, {0x00FFFFFF, 24, 0}, {0xFFFFFFFF, 32, 0}, {0x80000000, 1, 31},
    };
    for (const MaskCase& c : cases) {
        EXPECT_EQ(MaskWidth(c.mask), c.width) << std::hex << c.mask;
        EXPECT_EQ(MaskShift(c.mask), c.shift) << std::hex << c.mask;
    }
}

struct WidenCase {
    uint8_t value;  // the field at the top of the byte
    uint32_t width;
    uint8_t widened;
};

TEST(ChannelConversions, WidenChannelRepeatsTheTopBits) {
    const WidenCase cases[] = {
        {31 << 3, 5, 255}, {16 << 3, 5, 132}, {0, 5, 0},         {0x80, 1, 255},
        {0x00, 1, 0},      {15 << 4, 4, 255}, {5 << 4, 4, 0x55}, {63 << 2, 6, 255},
        {32 << 2, 6, 130}, {0x7A, 8, 0x7A},   {0x7A, 0, 0x7A},
    };
    for (const WidenCase& c : cases) {
        EXPECT_EQ(WidenChannel(c.value, c.width), c.widened) << int(c.value) << "/" << c.width;
    }
}

TEST(ChannelConversions, WidthsTwoThreeAndSevenFailWithoutAMessage) {
    for (uint32_t width : {2u, 3u, 7u}) {
        testing::internal::CaptureStderr();
        try {
            WidenChannel(0x80, width);
            ADD_FAILURE() << "width " << width << " did not fail";
        } catch (TReturnCode code) {
            EXPECT_EQ(code, TRC_FAILED);
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
    EXPECT_THROW(ExtractColourChannel(0x0006, 0x0006), TReturnCode);
    EXPECT_THROW(ExtractAlphaChannel(0x00FE, 0x00FE), TReturnCode);
}

struct ExtractCase {
    uint32_t pixel;
    uint32_t mask;
    uint8_t colour;
    uint8_t alpha;
};

TEST(ChannelConversions, ExtractWidensNarrowFieldsAndCutsWideOnes) {
    const ExtractCase cases[] = {
        {0xF800, 0xF800, 255, 255},  // 5-bit red of 31
        {0x8000, 0xF800, 132, 132},  // 5-bit red of 16
        {0x0001, 0x0001, 255, 255},  // 1-bit alpha
        {0x0000, 0x0001, 0, 0},
        {0x12345678, 0, 0, 255},  // no channel: colour 0, alpha opaque
        {0x12345678, 0x00FF0000, 0x34, 0x34},
        {0xABCD, 0xFFFF, 0xAB, 0xAB},  // wide channels give their top 8 bits
        {0xABCDEF, 0xFFFFFF, 0xAB, 0xAB},
        {0xABCDEF01, 0xFFFFFFFF, 0xAB, 0xAB},
        {0x12ABCDEF, 0x00FFFFFF, 0xAB, 0xAB},
        {0xABC0, 0xFFF0, 0xAB, 0xAB},
    };
    for (const ExtractCase& c : cases) {
        EXPECT_EQ(ExtractColourChannel(c.pixel, c.mask), c.colour)
            << std::hex << c.pixel << " " << c.mask;
        EXPECT_EQ(ExtractAlphaChannel(c.pixel, c.mask), c.alpha)
            << std::hex << c.pixel << " " << c.mask;
    }
}

struct InsertCase {
    uint8_t value;
    uint32_t mask;
    uint32_t contribution;
};

TEST(ChannelConversions, InsertDropsLowBitsOrRepeatsIntoWideFields) {
    const InsertCase cases[] = {
        {0xFF, 0xF800, 0xF800},         {0x84, 0x07E0, 0x0420},
        {0x87, 0x0001, 0x0001},         {0x7F, 0x0001, 0x0000},
        {0xAB, 0xFF000000, 0xAB000000}, {0xAB, 0, 0},
        {0xAB, 0xFFFF, 0xABAB},         {0xAB, 0xFFFFFF, 0xABABAB},
        {0xAB, 0x00FFFFFF, 0xABABAB},   {0xAB, 0xFFFFFFFF, 0xABABABAB},
        {0xAB, 0xFFFF0000, 0xABAB0000}, {0xAB, 0xFFF0, 0xABA0},
    };
    for (const InsertCase& c : cases) {
        EXPECT_EQ(InsertChannel(c.value, c.mask), c.contribution)
            << std::hex << int(c.value) << " " << c.mask;
    }
}

TEST(ChannelConversions, WideChannelsCarryEveryByteThrough) {
    for (uint32_t mask : {0xFFFFu, 0xFFFFFFu, 0x00FFFFFFu, 0xFFFFFFFFu, 0xFFFF0000u}) {
        for (uint32_t b = 0; b < 256; ++b) {
            EXPECT_EQ(ExtractColourChannel(InsertChannel(uint8_t(b), mask), mask), b)
                << std::hex << mask;
        }
    }
}

struct SixteenCase {
    uint16_t value;
    uint8_t byte;
};

TEST(ChannelConversions, SixteenBitChannelsSaturateWhenNarrowed) {
    const SixteenCase cases[] = {
        {0x0000, 0},
        {0x007F, 127},
        {0x00FF, 255},
        // Saturation: keeping the low 8 bits would turn 0x0100 into 0.
        {0x0100, 255},
        {0xFFFF, 255},
    };
    for (const SixteenCase& c : cases) {
        EXPECT_EQ(NarrowSixteen(c.value), c.byte) << std::hex << c.value;
    }
    EXPECT_EQ(WidenToSixteen(0xAB), 0x00AB);
    EXPECT_EQ(WidenToSixteen(0), 0);
}

}  // namespace
