// QuendaDecode: the checks in their order, then one mip level's blocks,
// their rows in bands on the thread pool, placed into the pixel rows.
#include <cstddef>

#include "format_facts.h"
#include "parallel.h"
#include "quenda.h"
#include "size_rules.h"
#include "stored_block.h"

namespace {

// Blocks in a band of block rows at the least.
constexpr uint64_t kBandBlocks = 256;

struct LevelPlacement {
    uint8_t* destination;
    uint64_t width;
    uint64_t height;
    uint32_t pixelBytes;
    bool swapRedBlue;
};

// Copies the block's pixels that lie inside the level.
void PlaceBlock(const LevelPlacement& level, uint64_t bx, uint64_t by, const ColourBlock& colour,
                const AlphaBlock& alpha) {
    const int first = level.swapRedBlue ? 2 : 0;
    const int last = 2 - first;
    for (uint64_t y = 0; y < 4 && by + y < level.height; ++y) {
        for (uint64_t x = 0; x < 4 && bx + x < level.width; ++x) {
            const uint64_t index = 4 * y + x;
            uint8_t* out = level.destination + ((by + y) * level.width + bx + x) * level.pixelBytes;
            out[first] = colour.texel[index][0];
            out[1] = colour.texel[index][1];
            out[last] = colour.texel[index][2];
            if (level.pixelBytes == 4) {
                out[3] = alpha.alpha[index];
            }
        }
    }
}

// Decodes the block rows [firstRow, endRow) of a level whose first block is
// at level0. The arguments are copies, so that no store to the pixels can
// be taken to change them.
void DecodeRows(uint32_t format, uint32_t flags, const LevelPlacement placement,
                const uint8_t* level0, uint64_t firstRow, uint64_t endRow) {
    const uint64_t blockBytes = StoredBlockBytes(format, flags);
    const uint64_t blocksAcross = (placement.width + 3) / 4;
    const uint8_t* block = level0 + firstRow * blocksAcross * blockBytes;
    ColourBlock colour;
    AlphaBlock alpha;
    for (uint64_t row = firstRow; row < endRow; ++row) {
        for (uint64_t column = 0; column < blocksAcross; ++column) {
            DecodeStoredBlock(format, flags, block, &colour, &alpha);
            PlaceBlock(placement, 4 * column, 4 * row, colour, alpha);
            block += blockBytes;
        }
    }
}

}  // namespace

int32_t QuendaDecode(uint32_t format, uint32_t width, uint32_t height, uint32_t flags,
                     const uint8_t* source, int32_t level, uint32_t order, uint8_t* destination,
                     uint32_t destinationSize) {
    const uint32_t blockBytes = StoredBlockBytes(format, flags);
    if (blockBytes == 0) {
        return RESULT_UNKNOWN_FORMAT;
    }
    if (level < 0) {
        return RESULT_BAD_ARGUMENT;
    }
    LevelPlacement placement{destination, LevelExtent(width, level), LevelExtent(height, level),
                             (flags & FLAG_ALPHA) != 0 ? 4u : 3u, order == ORDER_BGR};
    // Both extents are below 2^32, so their product fits in 64 bits.
    if (destination == nullptr ||
        placement.width * placement.height > destinationSize / placement.pixelBytes) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    if (order != ORDER_RGB && order != ORDER_BGR) {
        return RESULT_BAD_CHANNEL_ORDER;
    }
    const uint64_t offset = ChainDataSize(width, height, level, flags, format);
    if (source == nullptr || offset > PTRDIFF_MAX) {
        return RESULT_BAD_ARGUMENT;
    }

    const uint8_t* level0 = source + offset;
    const uint64_t blocksAcross = (placement.width + 3) / 4;
    const uint64_t blockRows = (placement.height + 3) / 4;
    parallel::ForEachBand(blockRows, parallel::BandSize(blockRows, blocksAcross, kBandBlocks),
                          [&](uint64_t firstRow, uint64_t endRow) {
                              DecodeRows(format, flags, placement, level0, firstRow, endRow);
                          });
    return RESULT_OK;
}
