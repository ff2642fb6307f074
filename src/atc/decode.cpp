// ATI_TC_Decode: ATC block data back to 3- or 4-byte pixels.
#include "atc_internal.h"
#include "byte_order.h"
#include "parallel.h"

namespace {

// Blocks in a band of block rows at the least.
constexpr uint64_t kBandBlocks = 256;

struct ColourLevel {
    uint32_t format;
    bool alpha;
    int first;  // output byte of channel 0: 0, or 2 for ORDER_BGR
    uint64_t width;
    uint64_t height;
};

// Decodes the block rows [firstRow, endRow), the first of them at data. The
// arguments are copies, so that no store to the pixels can be taken to
// change them.
void DecodeRows(const ColourLevel level, const uint8_t* data, uint8_t* output, uint64_t firstRow,
                uint64_t endRow) {
    const uint64_t pixelBytes = level.alpha ? 4 : 3;
    const int last = 2 - level.first;
    ColourBlock texels;
    uint8_t alphas[16] = {};
    for (uint64_t by = 4 * firstRow; by < 4 * endRow; by += 4) {
        for (uint64_t bx = 0; bx < level.width; bx += 4) {
            if (level.alpha) {
                UnpackAlphaNibbles(data, alphas);
                data += 8;
            }
            const uint16_t colour0 = LoadLittleEndian16(data);
            const uint16_t colour1 = LoadLittleEndian16(data + 2);
            DecodeColourBlock(LoadLittleEndian32(data + 4), colour0, colour1, level.format,
                              &texels);
            data += 8;
            for (uint64_t y = 0; y < 4 && by + y < level.height; ++y) {
                for (uint64_t x = 0; x < 4 && bx + x < level.width; ++x) {
                    const int t = static_cast<int>(4 * y + x);
                    uint8_t* pixel = output + ((by + y) * level.width + bx + x) * pixelBytes;
                    pixel[level.first] = texels.texel[t][0];
                    pixel[1] = texels.texel[t][1];
                    pixel[last] = texels.texel[t][2];
                    if (level.alpha) {
                        pixel[3] = alphas[t];
                    }
                }
            }
        }
    }
}

}  // namespace

int32_t ATI_TC_Decode(const ATI_TC_Header* header, const uint8_t* data, uint32_t order,
                      uint8_t* output, uint32_t* size) {
    if (header->format != FORMAT_ATC && header->format != FORMAT_ATC_ORDER_MODE) {
        return RESULT_UNKNOWN_FORMAT;
    }
    const bool alpha = (header->flags & FLAG_ALPHA) != 0;
    const uint64_t pixelBytes = alpha ? 4 : 3;
    const uint64_t width = header->width;
    const uint64_t height = header->height;
    const uint64_t needed = width * height * pixelBytes;
    if (needed > UINT32_MAX) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    if (output == nullptr) {
        *size = static_cast<uint32_t>(needed);
        return RESULT_OK;
    }
    if (needed > *size) {
        return RESULT_BUFFER_TOO_SMALL;
    }
    if (order != ORDER_RGB && order != ORDER_BGR) {
        return RESULT_BAD_CHANNEL_ORDER;
    }
    // An image with no pixels has no blocks; walking the rows of a zero
    // width would take billions of empty steps for a large height.
    if (needed == 0) {
        return RESULT_OK;
    }
    const ColourLevel level{header->format, alpha, order == ORDER_RGB ? 0 : 2, width, height};
    const uint64_t blockBytes = alpha ? 16 : 8;
    const uint64_t blocksAcross = (width + 3) / 4;
    const uint64_t blockRows = (height + 3) / 4;
    parallel::ForEachBand(blockRows, parallel::BandSize(blockRows, blocksAcross, kBandBlocks),
                          [&](uint64_t firstRow, uint64_t endRow) {
                              DecodeRows(level, data + firstRow * blocksAcross * blockBytes, output,
                                         firstRow, endRow);
                          });
    return RESULT_OK;
}
