// The fast single-channel encoder and ramp search against the reference
// ones, on every Highway target compiled in that this CPU runs.
#include <gtest/gtest.h>

#include <hwy/targets.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "single_channel_codec.h"
#include "single_channel_ramp.h"

namespace {

using Values = std::array<uint8_t, 16>;

class SingleChannelFastTarget : public ::testing::TestWithParam<int64_t> {
  protected:
    void SetUp() override { hwy::SetSupportedTargetsForTest(GetParam()); }
    void TearDown() override { hwy::SetSupportedTargetsForTest(0); }
};

// Flat, two-valued, extreme and widely spread blocks, smooth ramps and
// noise: every branch of the endpoint choice and both searches.
std::vector<Values> Blocks() {
    std::vector<Values> blocks;
    std::mt19937 random(7);
    for (int kind = 0; kind < 6; ++kind) {
        for (int n = 0; n < 400; ++n) {
            Values v{};
            const int base = static_cast<int>(random() % 256);
            for (int k = 0; k < 16; ++k) {
                const int r = static_cast<int>(random() % 256);
                switch (kind) {
                    case 0:
                        v[k] = static_cast<uint8_t>(r);
                        break;
                    case 1:
                        v[k] = static_cast<uint8_t>(std::clamp(base + (r % 9) - 4, 0, 255));
                        break;
                    case 2:
                        v[k] = static_cast<uint8_t>(std::clamp(base + k * (n % 12), 0, 255));
                        break;
                    case 3:
                        v[k] = static_cast<uint8_t>(r % 4 == 0 ? 0 : (r % 4 == 1 ? 255 : base));
                        break;
                    case 4:
                        v[k] = static_cast<uint8_t>(r % 2 == 0 ? base : 255 - base);
                        break;
                    default:
                        v[k] = static_cast<uint8_t>(r % 3 == 0 ? r % 3 : 252 + r % 4);
                        break;
                }
            }
            blocks.push_back(v);
        }
    }
    return blocks;
}

TEST_P(SingleChannelFastTarget, RunsTheCodeOfTheTarget) {
    EXPECT_EQ(SingleChannelEncoderTarget(), GetParam());
}

TEST_P(SingleChannelFastTarget, EncodesEveryBlockAsTheReference) {
    for (const Values& values : Blocks()) {
        uint8_t fast[8];
        uint8_t reference[8];
        SingleChannelEncodeBlock(values.data(), fast);
        SingleChannelEncodeBlockReference(values.data(), reference);
        ASSERT_EQ(std::memcmp(fast, reference, 8), 0);
    }
}

TEST_P(SingleChannelFastTarget, FitsEveryRampAsTheReference) {
    std::mt19937 random(11);
    for (int n = 0; n < 2000; ++n) {
        WeightedValues list;
        int value = static_cast<int>(random() % 64);
        const int gap = 1 + static_cast<int>(random() % 24);
        for (int i = 0; i < 16 && value < 256; ++i) {
            list.value[i] = static_cast<float>(value) / 255.0f;
            list.weight[i] = static_cast<float>(1 + random() % 4);
            list.count = i + 1;
            value += 1 + static_cast<int>(random() % gap);
        }
        for (int steps : {6, 8}) {
            const RampFit fast = SearchRampFast(list, steps);
            const RampFit reference = SearchRamp(list, steps);
            ASSERT_EQ(std::memcmp(&fast.low, &reference.low, 4), 0) << n;
            ASSERT_EQ(std::memcmp(&fast.high, &reference.high, 4), 0) << n;
            ASSERT_EQ(std::memcmp(&fast.error, &reference.error, 4), 0) << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, SingleChannelFastTarget,
                         ::testing::ValuesIn(hwy::SupportedAndGeneratedTargets()),
                         [](const ::testing::TestParamInfo<int64_t>& info) {
                             std::string name = hwy::TargetName(info.param);
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
