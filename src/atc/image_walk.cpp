// Source layout, checks and texel gathering shared by both image encoders.
#include "image_walk.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

ChannelBits describeChannel(uint32_t mask) {
    return {mask, static_cast<uint32_t>(std::popcount(mask)),
            static_cast<uint32_t>(std::countr_zero(mask))};
}

bool layoutSupported(const SourceLayout& layout, PixelSizes pixelSizes) {
    for (const ChannelBits& channel : layout.channel) {
        if (channel.width > 8) {
            return false;
        }
    }
    const uint32_t alphaWidth = layout.alpha.width;
    if (alphaWidth != 0 && alphaWidth != 1 && alphaWidth != 4 && alphaWidth != 8) {
        return false;
    }
    return pixelSizes == PixelSizes::Any ||
           (layout.bytesPerPixel >= 2 && layout.bytesPerPixel <= 4);
}

// Blocks in a band of block rows at the least: a band's work dwarfs the cost
// of handing it to a thread even for the fast encoder.
constexpr uint64_t kBandBlocks = 128;

// Blocks along one side; none for a side of 0 or less.
int64_t blocksAlong(int32_t pixels) { return pixels > 0 ? (int64_t{pixels} + 3) >> 2 : 0; }

// A channel's bits widened to a byte by repeating them downwards.
uint8_t widenChannel(uint32_t value, const ChannelBits& channel) {
    if (channel.width == 0) {
        return 0;
    }
    uint32_t v = (value & channel.mask) >> channel.shift;
    uint32_t u = (v << (8 - channel.width)) & 0xFF;
    return static_cast<uint8_t>(u | (u >> channel.width));
}

uint8_t alphaNibble(uint32_t value, const ChannelBits& alpha) {
    if (alpha.width == 0) {
        return 15;
    }
    uint32_t a = (value & alpha.mask) >> alpha.shift;
    switch (alpha.width) {
        case 1:
            return a == 1 ? 15 : 0;
        case 4:
            return static_cast<uint8_t>(a);
        default:
            return static_cast<uint8_t>(a >> 4);
    }
}

// Four bytes as a word whose lowest byte is the first, and back: a plain
// copy on a little-endian machine.
uint32_t loadWord(const uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t word;
        std::memcpy(&word, bytes, 4);
        return word;
    }
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

void storeWord(uint32_t word, uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, &word, 4);
    } else {
        for (int b = 0; b < 4; ++b) {
            bytes[b] = static_cast<uint8_t>(word >> (8 * b));
        }
    }
}

}  // namespace

SourceLayout describeSource(uint32_t mask0, uint32_t mask1, uint32_t mask2, uint32_t alphaMask) {
    SourceLayout layout{};
    layout.channel[0] = describeChannel(mask0);
    layout.channel[1] = describeChannel(mask1);
    layout.channel[2] = describeChannel(mask2);
    layout.alpha = describeChannel(alphaMask);
    const uint32_t bits = layout.channel[0].width + layout.channel[1].width +
                          layout.channel[2].width + layout.alpha.width;
    layout.bytesPerPixel = (bits + 7) >> 3;
    return layout;
}

int32_t startEncode(const EncodeRequest& request, PixelSizes pixelSizes, ATI_TC_Header* header,
                    const uint8_t* output, uint32_t* size, bool* walk) {
    *walk = false;
    if ((request.flags & FLAG_NO_ALPHA) != 0 && (request.flags & FLAG_ALPHA) != 0) {
        return RESULT_FLAGS_CONFLICT;
    }
    if (request.format != FORMAT_ATC && request.format != FORMAT_ATC_ORDER_MODE) {
        return RESULT_UNKNOWN_FORMAT;
    }
    if (!layoutSupported(request.layout, pixelSizes)) {
        return RESULT_UNSUPPORTED_LAYOUT;
    }
    const int64_t blockBytes = (request.flags & FLAG_ALPHA) != 0 ? 16 : 8;
    const int64_t needed = blockBytes * blocksAlong(request.width) * blocksAlong(request.height);
    if (needed > int64_t{UINT32_MAX}) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    if (output == nullptr) {
        *size = static_cast<uint32_t>(needed);
        return RESULT_OK;
    }
    if (needed > int64_t{*size}) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    *header = {request.format, static_cast<uint32_t>(request.width),
               static_cast<uint32_t>(request.height), request.flags, sizeof(ATI_TC_Header)};
    *walk = true;
    return RESULT_OK;
}

void gatherBlock(const EncodeRequest& request, int64_t bx, int64_t by, ColourBlock* texels,
                 uint8_t nibbles[16]) {
    const SourceLayout& layout = request.layout;
    for (int y = 0; y < 4; ++y) {
        const int64_t row = std::min<int64_t>(by + y, request.height - 1);
        const uint8_t* rowStart = request.source + row * request.pitch;
        for (int x = 0; x < 4; ++x) {
            const int64_t column = std::min<int64_t>(bx + x, request.width - 1);
            const uint8_t* pixel = rowStart + column * layout.bytesPerPixel;
            uint32_t value = 0;
            for (uint32_t b = 0; b < layout.bytesPerPixel; ++b) {
                value |= uint32_t{pixel[b]} << (8 * b);
            }
            const int t = 4 * y + x;
            for (int k = 0; k < 3; ++k) {
                texels->texel[t][k] = widenChannel(value, layout.channel[k]);
            }
            nibbles[t] = alphaNibble(value, layout.alpha);
        }
    }
}

bool isRgba8888(const SourceLayout& layout) {
    return layout.bytesPerPixel == 4 && layout.channel[0].mask == 0x000000FF &&
           layout.channel[1].mask == 0x0000FF00 && layout.channel[2].mask == 0x00FF0000 &&
           layout.alpha.mask == 0xFF000000;
}

void gatherRgba8888Block(const EncodeRequest& request, int64_t bx, int64_t by, ColourBlock* texels,
                         uint8_t nibbles[16]) {
    int64_t offsets[4];
    for (int x = 0; x < 4; ++x) {
        offsets[x] = std::min<int64_t>(bx + x, request.width - 1) * 4;
    }
    // A row's four pixels as words (byte 0 lowest) become three words of
    // channel bytes and one word of alpha nibbles.
    uint8_t* out = &texels->texel[0][0];
    for (int y = 0; y < 4; ++y, out += 12) {
        const uint8_t* row =
            request.source + std::min<int64_t>(by + y, request.height - 1) * request.pitch;
        const uint32_t p0 = loadWord(row + offsets[0]);
        const uint32_t p1 = loadWord(row + offsets[1]);
        const uint32_t p2 = loadWord(row + offsets[2]);
        const uint32_t p3 = loadWord(row + offsets[3]);
        storeWord((p0 & 0xFFFFFF) | p1 << 24, out);
        storeWord((p1 >> 8 & 0xFFFF) | p2 << 16, out + 4);
        storeWord((p2 >> 16 & 0xFF) | p3 << 8, out + 8);
        storeWord(p0 >> 28 | (p1 >> 28) << 8 | (p2 >> 28) << 16 | (p3 >> 28) << 24,
                  nibbles + 4 * y);
    }
}

BandPlan planBands(const EncodeRequest& request) {
    const uint64_t blocksAcross = static_cast<uint64_t>(blocksAlong(request.width));
    const uint64_t blockRows = static_cast<uint64_t>(blocksAlong(request.height));
    return {blocksAcross, blockRows, parallel::BandSize(blockRows, blocksAcross, kBandBlocks)};
}

void storeColourBlock(uint16_t colour0, uint16_t colour1, uint32_t indexWord, uint8_t block[8]) {
    const uint32_t word0 = (uint32_t{colour1} << 16) | colour0;
    for (int b = 0; b < 4; ++b) {
        block[b] = static_cast<uint8_t>(word0 >> (8 * b));
        block[4 + b] = static_cast<uint8_t>(indexWord >> (8 * b));
    }
}
