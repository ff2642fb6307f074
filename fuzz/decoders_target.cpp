// The block decoders on fuzzed block data and arguments: QuendaDecode with
// any format, flags, size, level and channel order, QuendaQueryDecodeBuffer-
// Size, and ATI_TC_Decode with a fuzzed header. Their callers supply as much
// block data as the level or image needs, so a call is made only when the
// fuzzer's bytes cover that; the block data then sits in a buffer of exactly
// that size, and the output in one of exactly the size passed.
#include <vector>

#include "atc.h"
#include "block_sizes.h"
#include "exact_buffer.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "quenda.h"

namespace {

using namespace fuzz;

// Output buffers stay below this; larger levels are not decoded.
constexpr uint64_t kMaxOutputSize = 1u << 20;

// An output size near the one the call needs (in: width x height x bytes
// per pixel), or a small arbitrary one.
uint32_t PickOutputSize(FuzzInput& in, uint64_t needed) {
    const uint8_t kind = in.Byte();
    if (kind < 200 && needed <= kMaxOutputSize) {
        return uint32_t(std::max<int64_t>(int64_t(needed) + kind % 5 - 2, 0));
    }
    return in.Word() % 4096;
}

int32_t PickLevel(FuzzInput& in) {
    const uint8_t byte = in.Byte();
    return byte < 192 ? byte % 12 : int8_t(in.Byte());
}

bool IsCodecResult(int32_t result) {
    return result == RESULT_OK || result == RESULT_BUFFER_TOO_SMALL ||
           result == RESULT_UNKNOWN_FORMAT || result == RESULT_BAD_CHANNEL_ORDER ||
           result == RESULT_BAD_ARGUMENT;
}

void Decode(FuzzInput& in) {
    const uint32_t format = PickFormat(in);
    const uint32_t flags = PickFlags(in);
    const uint32_t width = PickSide(in);
    const uint32_t height = PickSide(in);
    const int32_t level = PickLevel(in);
    const uint32_t order = uint32_t(in.Range(0, 3));
    const int64_t shownLevel = std::max(level, 0);
    const uint64_t levelWidth = shownLevel >= 32 ? 1 : std::max<uint64_t>(width >> shownLevel, 1);
    const uint64_t levelHeight = shownLevel >= 32 ? 1 : std::max<uint64_t>(height >> shownLevel, 1);
    const uint64_t pixelBytes = (flags & FLAG_ALPHA) ? 4 : 3;
    const uint32_t outputSize = PickOutputSize(in, levelWidth * levelHeight * pixelBytes);

    const uint64_t readSize = ChainReadSize(format, flags, width, height, level);
    const std::vector<uint8_t> rest = in.Rest();
    if (rest.size() < readSize) {
        return;
    }
    const ExactBuffer blocks(rest.data(), readSize);
    ExactBuffer output(outputSize);
    const int32_t result = QuendaDecode(format, width, height, flags, blocks.Data(), level, order,
                                        output.Data(), outputSize);
    FUZZ_CHECK(IsCodecResult(result));
}

void QueryDecodeSize(FuzzInput& in) {
    const int32_t width = int32_t(in.Word());
    const int32_t height = int32_t(in.Word());
    const uint32_t format = PickFormat(in);
    const int32_t alpha = int32_t(in.Word());
    uint32_t size = 0xDEADBEEF;
    const int32_t result = QuendaQueryDecodeBufferSize(width, height, format, alpha, &size);
    FUZZ_CHECK(result == RESULT_OK || result == RESULT_UNKNOWN_FORMAT ||
               result == RESULT_BAD_ARGUMENT);
    if (result != RESULT_OK) {
        FUZZ_CHECK(size == 0);
    }
}

void AtcDecode(FuzzInput& in) {
    ATI_TC_Header header;
    header.format = PickFormat(in);
    header.flags = PickFlags(in);
    header.width = PickSide(in);
    header.height = PickSide(in);
    header.headerSize = in.Bit() ? sizeof(ATI_TC_Header) : in.Word();
    const uint32_t order = uint32_t(in.Range(0, 3));
    const bool sizeQuery = in.Byte() < 32;
    const uint64_t pixelBytes = (header.flags & FLAG_ALPHA) ? 4 : 3;
    uint32_t outputSize = PickOutputSize(in, uint64_t(header.width) * header.height * pixelBytes);

    const uint64_t readSize = AtcDataSize(header.flags, header.width, header.height);
    const std::vector<uint8_t> rest = in.Rest();
    if (rest.size() < readSize) {
        return;
    }
    const ExactBuffer blocks(rest.data(), readSize);
    ExactBuffer output(outputSize);
    const uint32_t capacity = outputSize;
    const int32_t result = ATI_TC_Decode(&header, blocks.Data(), order,
                                         sizeQuery ? nullptr : output.Data(), &outputSize);
    FUZZ_CHECK(IsCodecResult(result));
    if (!sizeQuery) {
        FUZZ_CHECK(outputSize == capacity);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    switch (in.Byte() % 3) {
        case 0:
            Decode(in);
            break;
        case 1:
            QueryDecodeSize(in);
            break;
        default:
            AtcDecode(in);
            break;
    }
    return 0;
}
