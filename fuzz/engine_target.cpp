// The conversion engine's entry on fuzzer-chosen records: any format code
// (the catalogue's and unknown ones), sizes up to kMaxSide, null or present
// layout blocks with fuzzed words, source data of any length, destination
// buffers around the queried size, and the size, version and null-record
// cases of the calling protocol.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "morlune.h"

namespace {

constexpr int32_t kMaxSide = 64;
// Larger than any destination of kMaxSide x kMaxSide pixels.
constexpr uint32_t kMaxBufferSize = 1u << 20;

enum class Call { Convert, SizeQueryOnly, VersionQuery, NullDestination };

bool IsResultCode(int32_t result) {
    switch (result) {
        case TRC_OK:
        case TRC_BAD_DIMENSIONS:
        case TRC_UNSUPPORTED_FORMAT:
        case TRC_NO_DATA:
        case TRC_NO_DESTINATION:
        case TRC_BUFFER_TOO_SMALL:
        case TRC_FAILED:
            return true;
        default:
            return false;
    }
}

uint32_t FormatCode(FuzzInput& in) {
    const uint8_t byte = in.Byte();
    return byte < 240 ? byte % 48 : in.Word();
}

// A contiguous run of up to 8 bits, the usual shape of a mask.
uint32_t Mask(uint8_t value) {
    const uint32_t width = value % 8 + 1;
    const uint32_t shift = (value / 8) % 32;
    return uint32_t(((uint64_t(1) << width) - 1) << shift);
}

// Most words stay 0 (the format's own layout, off); some get a plausible
// value; a few a raw 32-bit word.
uint32_t LayoutWord(FuzzInput& in, int index) {
    const uint8_t kind = in.Byte();
    if (kind < 128) {
        return 0;
    }
    if (kind >= 224) {
        return in.Word();
    }
    const uint8_t value = kind - 128;
    switch (index) {
        case 0:
            return value * 4;
        case 1:
        case 2:
        case 3:
        case 4:
            return Mask(value);
        default:
            return value % 16;
    }
}

PixelLayout Layout(FuzzInput& in) {
    uint32_t words[13];
    for (int i = 0; i < 13; ++i) {
        words[i] = LayoutWord(in, i);
    }
    PixelLayout layout;
    std::memcpy(&layout, words, sizeof(layout));
    return layout;
}

// The size the engine gives a record of the source's format, size and layout.
std::optional<uint32_t> OwnSize(const TextureImage& source) {
    PixelLayout layout = source.pPixelLayout ? *source.pPixelLayout
                                             : PixelLayout{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0};
    layout.nControl = kControlQuiet;
    TextureImage shape = source;
    shape.pPixelLayout = &layout;
    shape.pData = nullptr;
    shape.nDataSize = 0;
    if (MorluneConvert(nullptr, &shape) != TRC_OK || shape.nDataSize > kMaxBufferSize) {
        return std::nullopt;
    }
    return shape.nDataSize;
}

void VersionQuery(const TextureImage* source, TextureImage& destination, size_t capacity) {
    std::vector<uint8_t> buffer(capacity);
    destination.pData = buffer.data();
    destination.nDataSize = uint32_t(capacity);
    const int32_t result = MorluneConvert(source, &destination);
    FUZZ_CHECK(IsResultCode(result));
    if (result == TRC_OK) {
        FUZZ_CHECK(capacity >= 4);
        uint32_t version = 0;
        std::memcpy(&version, buffer.data(), 4);
        FUZZ_CHECK(version == MORLUNE_VERSION);
    } else if (capacity > 0 && capacity < 4) {
        FUZZ_CHECK(result == TRC_BUFFER_TOO_SMALL || result == TRC_UNSUPPORTED_FORMAT);
    }
}

void Convert(const TextureImage* source, TextureImage& destination, int32_t slack, bool queryOnly) {
    destination.pData = nullptr;
    destination.nDataSize = 0;
    const int32_t query = MorluneConvert(source, &destination);
    FUZZ_CHECK(IsResultCode(query));
    if (queryOnly) {
        return;
    }
    const uint32_t needed = query == TRC_OK ? destination.nDataSize : 16;
    if (needed > kMaxBufferSize) {
        return;
    }
    const uint32_t capacity = uint32_t(std::max<int64_t>(int64_t(needed) + slack, 0));
    std::vector<uint8_t> buffer(std::max<uint32_t>(capacity, 1));
    destination.pData = buffer.data();
    destination.nDataSize = capacity;
    const int32_t result = MorluneConvert(source, &destination);
    FUZZ_CHECK(IsResultCode(result));
    if (query == TRC_OK && capacity < needed) {
        FUZZ_CHECK(result == TRC_BUFFER_TOO_SMALL);
    }
    if (result == TRC_OK) {
        FUZZ_CHECK(destination.nDataSize <= capacity);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t choices = in.Byte();
    const bool sourceHasLayout = choices & 0x01;
    const bool destinationHasLayout = choices & 0x02;
    const Call call = Call((choices >> 2) & 3);
    const bool nullSource = choices & 0x10;
    const bool sourceAtOwnSize = choices & 0x20;
    const bool verbose = choices & 0x40;
    // A null source carries no control word.
    const bool controlOnSource = (choices & 0x80) && !nullSource;

    TextureImage source{};
    TextureImage destination{};
    source.nFormat = FormatCode(in);
    destination.nFormat = FormatCode(in);
    source.nWidth = uint32_t(in.Range(0, kMaxSide));
    source.nHeight = uint32_t(in.Range(0, kMaxSide));
    destination.nWidth = uint32_t(in.Range(0, kMaxSide));
    destination.nHeight = uint32_t(in.Range(0, kMaxSide));
    const int32_t destinationSlack = in.Range(-2, 2);
    const int32_t sourceSlack = in.Range(-2, 2);
    const size_t versionCapacity = size_t(in.Range(0, 8));

    PixelLayout sourceLayout = sourceHasLayout ? Layout(in) : PixelLayout{};
    PixelLayout destinationLayout = destinationHasLayout ? Layout(in) : PixelLayout{};
    // Quiet unless asked otherwise; the version query is asked on one record.
    // A control word set here needs a block even when the fuzzer chose none.
    const bool needsControl = !verbose || call == Call::VersionQuery;
    const bool useSourceLayout = sourceHasLayout || (needsControl && controlOnSource);
    const bool useDestinationLayout = destinationHasLayout || (needsControl && !controlOnSource);
    if (!useSourceLayout) {
        sourceLayout = PixelLayout{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0};
    }
    if (!useDestinationLayout) {
        destinationLayout = PixelLayout{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 10, 0, 0};
    }
    PixelLayout& controlled = controlOnSource ? sourceLayout : destinationLayout;
    if (call == Call::VersionQuery) {
        controlled.nControl = kControlQueryVersion;
    } else if (!verbose) {
        controlled.nControl = kControlQuiet;
        (controlOnSource ? destinationLayout : sourceLayout).nControl &= ~kControlQueryVersion;
    }
    source.pPixelLayout = useSourceLayout ? &sourceLayout : nullptr;
    destination.pPixelLayout = useDestinationLayout ? &destinationLayout : nullptr;

    std::vector<uint8_t> pixels;
    const std::optional<uint32_t> ownSize = sourceAtOwnSize ? OwnSize(source) : std::nullopt;
    if (ownSize) {
        pixels = in.RestRepeated(size_t(std::max<int64_t>(int64_t(*ownSize) + sourceSlack, 0)));
    } else {
        pixels = in.Rest();
    }
    source.pData = pixels.empty() ? nullptr : pixels.data();
    source.nDataSize = uint32_t(pixels.size());
    const TextureImage* sourceRecord = nullSource ? nullptr : &source;

    switch (call) {
        case Call::Convert:
        case Call::SizeQueryOnly:
            Convert(sourceRecord, destination, destinationSlack, call == Call::SizeQueryOnly);
            break;
        case Call::VersionQuery:
            VersionQuery(sourceRecord, destination, versionCapacity);
            break;
        case Call::NullDestination:
            FUZZ_CHECK(MorluneConvert(sourceRecord, nullptr) == TRC_NO_DESTINATION);
            break;
    }
    return 0;
}
