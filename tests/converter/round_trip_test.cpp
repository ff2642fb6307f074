// Every direct format through RGBA8888 and back keeps what the format holds.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>

#include "engine_test_images.h"

namespace {

using Pixel = std::array<uint8_t, 4>;

// The byte that an n-bit field keeps of v, widened back to 8 bits.
uint8_t Keep(uint8_t v, uint32_t n) {
    const uint8_t top = uint8_t(v & (0xFF << (8 - n)));
    if (n == 1) {
        return top != 0 ? 255 : 0;
    }
    return n == 8 ? v : uint8_t(top | (top >> n));
}

uint8_t Luminance(const Pixel& p) { return uint8_t(p[0] | p[1] | p[2]); }

struct RoundTripCase {
    const char* name;
    uint32_t format;
    std::function<Pixel(const Pixel&)> survives;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

const RoundTripCase kDirectFormats[] = {
    {"RGBA8888", RGBA8888, [](const Pixel& p) { return p; }},
    {"RGB888", RGB888,
     [](const Pixel& p) {
         return Pixel{p[0], p[1], p[2], 255};
     }},
    {"RGB565", RGB565,
     [](const Pixel& p) {
         return Pixel{Keep(p[0], 5), Keep(p[1], 6), Keep(p[2], 5), 255};
     }},
    {"RGBA5551", RGBA5551,
     [](const Pixel& p) {
         return Pixel{Keep(p[0], 5), Keep(p[1], 5), Keep(p[2], 5), Keep(p[3], 1)};
     }},
    {"RGBA4444", RGBA4444,
     [](const Pixel& p) {
         return Pixel{Keep(p[0], 4), Keep(p[1], 4), Keep(p[2], 4), Keep(p[3], 4)};
     }},
    {"LA88", LA88,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, p[3]};
     }},
    {"L8", L8,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, 255};
     }},
    {"A8", A8,
     [](const Pixel& p) {
         return Pixel{0, 0, 0, p[3]};
     }},
    {"BGRA8888", BGRA8888, [](const Pixel& p) { return p; }},
    // Channels wider than 8 bits carry the byte through unchanged.
    {"L16", L16,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, 255};
     }},
    {"L24", L24,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, 255};
     }},
    {"L24A8", L24A8,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, p[3]};
     }},
    {"L32", L32,
     [](const Pixel& p) {
         const uint8_t l = Luminance(p);
         return Pixel{l, l, l, 255};
     }},
};

const std::vector<Pixel> kPixels{{0, 0, 0, 0},
                                 {255, 255, 255, 255},
                                 {0x12, 0x34, 0x56, 0x78},
                                 {0x84, 0x82, 0x08, 0x80},
                                 {0xAB, 0xAB, 0xAB, 0x01},
                                 {0x7F, 0x80, 0x81, 0xFE}};

std::vector<uint8_t> Bytes(const std::vector<Pixel>& pixels) {
    std::vector<uint8_t> bytes;
    for (const Pixel& p : pixels) {
        bytes.insert(bytes.end(), p.begin(), p.end());
    }
    return bytes;
}

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, ThroughRGBA8888KeepsWhatTheFormatHolds) {
    TestImage original(3, 2, RGBA8888, Bytes(kPixels));
    TestImage packed(3, 2, GetParam().format);
    ConvertResult result = ConvertWithQuery(original.get(), packed);
    ASSERT_EQ(result.code, TRC_OK) << result.messages;
    TestImage unpacked(3, 2, RGBA8888);
    result = ConvertWithQuery(packed.get(), unpacked);
    ASSERT_EQ(result.code, TRC_OK) << result.messages;
    std::vector<Pixel> expected;
    for (const Pixel& p : kPixels) {
        expected.push_back(GetParam().survives(p));
    }
    EXPECT_EQ(unpacked.data, Bytes(expected));
    // What survived packs to the same bytes again.
    TestImage repacked(3, 2, GetParam().format);
    result = ConvertWithQuery(unpacked.get(), repacked);
    ASSERT_EQ(result.code, TRC_OK) << result.messages;
    EXPECT_EQ(repacked.data, packed.data);
}

INSTANTIATE_TEST_SUITE_P(Engine, RoundTrip, testing::ValuesIn(kDirectFormats),
                         [](const testing::TestParamInfo<RoundTripCase>& info) {
                             return info.param.name;
                         });

}  // namespace
