// QuendaEncode: the checks in their order, then every block through the
// block walk into its stored layout.
#include "block_walk.h"
#include "format_facts.h"
#include "quenda.h"
#include "size_rules.h"
#include "stored_block.h"

namespace {

// Writes each block in its format's stored layout.
struct StoredBlockWriter {
    uint32_t format;
    uint32_t flags;

    void operator()(const ColourBlock& colour, const AlphaBlock& alpha, uint8_t* out) const {
        EncodeStoredBlock(format, flags, colour, alpha, out);
    }
    // The end of a band: nothing to add up.
    void operator()(uint64_t) const {}
};

}  // namespace

int32_t QuendaEncode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                     uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                     uint32_t flags, uint32_t format, uint8_t* output, uint32_t* size) {
    SourceImage image = DescribeSource(mask0, mask1, mask2, alphaMask);
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
    const uint64_t blocksAcross = (static_cast<uint64_t>(width) + 3) / 4;
    const uint64_t blockRows = (static_cast<uint64_t>(height) + 3) / 4;
    WalkBlocks(image, PlanBands(blocksAcross, blockRows), blockBytes, (flags & FLAG_ALPHA) != 0,
               output, StoredBlockWriter{format, flags});
    return RESULT_OK;
}
