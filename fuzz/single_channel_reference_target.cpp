// The fast single-channel encoder against the reference one, on every
// Highway target this CPU runs: for a fuzzed block of 16 values, the block
// bytes of SingleChannelEncodeBlock must be those of
// SingleChannelEncodeBlockReference, and SearchRampFast must give the fit of
// SearchRamp, to the bit, for a fuzzed list of weighted values with six and
// with eight steps. The values are raw bytes, small offsets around a value
// (the smooth blocks of photographs), or up to four values in a fuzzed
// pattern, which may sit at the extremes.
#include <hwy/targets.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "single_channel_codec.h"
#include "single_channel_ramp.h"

namespace {

void PickValues(FuzzInput& in, uint8_t values[16]) {
    const uint8_t kind = in.Byte() % 3;
    const uint8_t palette[4] = {in.Byte(), in.Byte(), in.Byte(), in.Byte()};
    const int shift = in.Byte() % 8;
    for (int k = 0; k < 16; ++k) {
        const uint8_t byte = in.Byte();
        switch (kind) {
            case 0:
                values[k] = byte;
                break;
            case 1:
                values[k] = static_cast<uint8_t>(
                    std::clamp(palette[0] + (static_cast<int8_t>(byte) >> shift), 0, 255));
                break;
            default:
                values[k] = palette[byte % 4];
                break;
        }
    }
}

// Distinct ascending values k / 255 with weights 1 to 16, as the encoder
// lists them.
WeightedValues PickList(FuzzInput& in) {
    WeightedValues list;
    const int count = 1 + in.Byte() % 16;
    int value = in.Byte();
    for (int i = 0; i < count && value < 256; ++i) {
        list.value[i] = static_cast<float>(value) / 255.0f;
        list.weight[i] = static_cast<float>(1 + in.Byte() % 16);
        list.count = i + 1;
        value += 1 + in.Byte() % 24;
    }
    return list;
}

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool SameFit(const RampFit& a, const RampFit& b) {
    return SameBits(a.low, b.low) && SameBits(a.high, b.high) && SameBits(a.error, b.error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    uint8_t values[16];
    PickValues(in, values);
    const WeightedValues list = PickList(in);

    uint8_t expected[8];
    SingleChannelEncodeBlockReference(values, expected);
    const RampFit six = SearchRamp(list, 6);
    const RampFit eight = SearchRamp(list, 8);

    for (const int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        FUZZ_CHECK(SingleChannelEncoderTarget() == target);
        uint8_t block[8];
        SingleChannelEncodeBlock(values, block);
        FUZZ_CHECK(std::memcmp(block, expected, sizeof block) == 0);
        FUZZ_CHECK(SameFit(SearchRampFast(list, 6), six));
        FUZZ_CHECK(SameFit(SearchRampFast(list, 8), eight));
    }
    hwy::SetSupportedTargetsForTest(0);
    return 0;
}
