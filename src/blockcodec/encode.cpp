#include "channel_gather.h"
#include "format_facts.h"
#include "parallel.h"
#include "quenda.h"
#include "size_rules.h"
#include "stored_block.h"

namespace {

// Blocks in a band of block rows at the least: a band's work dwarfs the cost
// of handing it to a thread even for the quickest encoder.
constexpr uint64_t kBandBlocks = 128;

using GatherFunction = void (*)(const SourceImage&, int64_t, int64_t, ColourBlock*, AlphaBlock*);

}  // namespace

int32_t QuendaEncode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                     uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                     uint32_t flags, uint32_t format, uint8_t* output, uint32_t* size) {
    SourceImage image;
    image.colour[0] = AnalyseMask(mask0);
    image.colour[1] = AnalyseMask(mask1);
    image.colour[2] = AnalyseMask(mask2);
    image.alpha = AnalyseMask(alphaMask);
    image.pixelBytes =
        SourcePixelBytes(image.colour[0], image.colour[1], image.colour[2], image.alpha);

    if ((flags & FLAG_NO_ALPHA) != 0 && (flags & FLAG_ALPHA) != 0) {
        return RESULT_FLAGS_CONFLICT;
    }
    const uint32_t blockBytes = StoredBlockBytes(format, flags);
    if (blockBytes == 0) {
        return RESULT_UNKNOWN_FORMAT;
    }
    if (width < 0 || height < 0 || size == nullptr) {
        return RESULT_BAD_ARGUMENT;
    }
    const bool empty = width == 0 || height == 0;
    const uint64_t needed = empty ? 0
                                  : ChainDataSize(static_cast<uint64_t>(width),
                                                  static_cast<uint64_t>(height), 1, flags, format);
    if (needed > *size) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    if (!empty && (source == nullptr || output == nullptr)) {
        return RESULT_BAD_ARGUMENT;
    }
    *size = static_cast<uint32_t>(needed);
    if (empty) {
        return RESULT_OK;
    }

    image.pixels = source;
    image.width = width;
    image.height = height;
    image.pitch = pitch;
    const bool withAlpha = (flags & FLAG_ALPHA) != 0;
    const GatherFunction gather = IsRgba8888(image) ? GatherRgba8888Block : GatherBlock;
    const uint64_t blocksAcross = (static_cast<uint64_t>(width) + 3) / 4;
    const uint64_t blockRows = (static_cast<uint64_t>(height) + 3) / 4;
    // Bands of block rows, each written to its own part of output.
    parallel::ForEachBandReporting(
        blockRows, parallel::BandSize(blockRows, blocksAcross, kBandBlocks), blocksAcross,
        [&](uint64_t firstRow, uint64_t endRow) {
            ColourBlock colour;
            AlphaBlock alpha{};
            uint8_t* out = output + firstRow * blocksAcross * blockBytes;
            for (uint64_t row = firstRow; row < endRow; ++row) {
                for (uint64_t column = 0; column < blocksAcross; ++column) {
                    gather(image, static_cast<int64_t>(4 * column), static_cast<int64_t>(4 * row),
                           &colour, withAlpha ? &alpha : nullptr);
                    EncodeStoredBlock(format, flags, colour, alpha, out);
                    out += blockBytes;
                }
            }
        });
    return RESULT_OK;
}
