// The block encoders on fuzzed pixels and arguments: QuendaEncode,
// ATI_TC_Encode and ATI_TC_EncodeFast with any format and flags, channel
// masks of every width and position, sizes up to kMaxSide (and a few
// negative ones), row pitches above the row's bytes in both directions, and
// output capacities around the size needed. The pixels sit in a buffer of
// exactly the rows' extent, the output in one of exactly the capacity.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "atc.h"
#include "block_sizes.h"
#include "exact_buffer.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "quenda.h"

namespace {

using namespace fuzz;

constexpr int32_t kMaxSide = 32;

enum class Encoder { Quenda, Atc, AtcQuick };

struct Mask {
    uint32_t bits;
    uint32_t width;
};

Mask PickMask(FuzzInput& in, uint32_t width) {
    const uint32_t shift = in.Byte() % (33 - width);
    return {width == 0 ? 0 : uint32_t(((uint64_t(1) << width) - 1) << shift), width};
}

bool IsEncoderResult(int32_t result, Encoder encoder) {
    return result == RESULT_OK || result == RESULT_BUFFER_TOO_SMALL ||
           result == RESULT_FLAGS_CONFLICT || result == RESULT_UNKNOWN_FORMAT ||
           (encoder == Encoder::Quenda && result == RESULT_BAD_ARGUMENT) ||
           (encoder != Encoder::Quenda && result == RESULT_UNSUPPORTED_LAYOUT) ||
           (encoder == Encoder::AtcQuick && result == RESULT_LOW_QUALITY);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const Encoder encoder = Encoder(in.Byte() % 3);
    Mask masks[4];
    for (int i = 0; i < 3; ++i) {
        masks[i] = PickMask(in, in.Byte() % 9);
    }
    // The ATC encoders take alpha masks of 0, 1, 4 or 8 bits only.
    static constexpr uint32_t kAtcAlphaWidths[] = {0, 1, 4, 8};
    const uint8_t alphaWidth = in.Byte();
    masks[3] =
        PickMask(in, encoder == Encoder::Quenda ? alphaWidth % 9 : kAtcAlphaWidths[alphaWidth % 4]);
    const uint32_t flags = PickFlags(in);
    const uint32_t format = PickFormat(in);
    const int32_t width = in.Range(-3, kMaxSide);
    const int32_t height = in.Range(-3, kMaxSide);
    const uint8_t pitchChoice = in.Byte();
    const uint8_t capacityChoice = in.Byte();
    const bool sizeQuery = encoder != Encoder::Quenda && in.Byte() < 32;

    const uint32_t pixelBytes =
        (masks[0].width + masks[1].width + masks[2].width + masks[3].width + 7) / 8;
    const int64_t rowBytes = int64_t(std::max(width, 0)) * pixelBytes;
    const int64_t pitchMagnitude = rowBytes + pitchChoice % 8;
    const bool upward = pitchChoice & 0x80;
    const int32_t pitch = int32_t(upward ? -pitchMagnitude : pitchMagnitude);
    const int64_t sourceBytes =
        width > 0 && height > 0 ? int64_t(height - 1) * pitchMagnitude + rowBytes : 0;

    const uint64_t needed =
        width > 0 && height > 0
            ? (encoder == Encoder::Quenda ? LevelDataSize(format, flags, width, height)
                                          : AtcDataSize(flags, width, height))
            : 0;
    uint32_t capacity =
        capacityChoice < 224
            ? uint32_t(std::max<int64_t>(int64_t(needed) + capacityChoice % 5 - 2, 0))
            : capacityChoice % 32;

    const std::vector<uint8_t> pixelBytesFromFuzzer = in.RestRepeated(size_t(sourceBytes));
    const ExactBuffer pixels(pixelBytesFromFuzzer.data(), pixelBytesFromFuzzer.size());
    const uint8_t* source = pixels.Data();
    if (upward && height > 0) {
        source += int64_t(height - 1) * pitchMagnitude;
    }
    ExactBuffer output(capacity);
    const uint32_t given = capacity;
    int32_t result = RESULT_OK;
    ATI_TC_Header header{};
    switch (encoder) {
        case Encoder::Quenda:
            result =
                QuendaEncode(source, masks[0].bits, masks[1].bits, masks[2].bits, masks[3].bits,
                             width, height, pitch, flags, format, output.Data(), &capacity);
            break;
        case Encoder::Atc:
            result = ATI_TC_Encode(source, masks[0].bits, masks[1].bits, masks[2].bits,
                                   masks[3].bits, width, height, pitch, flags, format, &header,
                                   sizeQuery ? nullptr : output.Data(), &capacity);
            break;
        case Encoder::AtcQuick:
            result = ATI_TC_EncodeFast(source, masks[0].bits, masks[1].bits, masks[2].bits,
                                       masks[3].bits, width, height, pitch, flags, format, &header,
                                       sizeQuery ? nullptr : output.Data(), &capacity);
            break;
    }
    FUZZ_CHECK(IsEncoderResult(result, encoder));
    if (result == RESULT_OK && encoder == Encoder::Quenda) {
        FUZZ_CHECK(capacity <= given);
    }
    if (result == RESULT_OK && encoder != Encoder::Quenda && !sizeQuery) {
        FUZZ_CHECK(capacity == given);
    }
    return 0;
}
