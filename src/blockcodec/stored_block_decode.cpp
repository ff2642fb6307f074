// One stored block of each format back to its colour and alpha buffers.
#include "atc.h"
#include "byte_order.h"
#include "etc1_codec.h"
#include "single_channel_codec.h"
#include "stored_block.h"

namespace {

// Single-channel values into channel bytes first..last of every pixel.
void DecodeChannel(const uint8_t* in, int first, int last, ColourBlock* colour) {
    uint8_t values[16];
    SingleChannelDecodeBlock(in, values);
    for (int i = 0; i < 16; ++i) {
        for (int c = first; c <= last; ++c) {
            colour->texel[i][c] = values[i];
        }
    }
}

void DecodeAtcColour(const uint8_t* in, ColourBlock* colour) {
    const uint32_t colours = LoadLittleEndian32(in);
    AtcDecodeColourBlock(LoadLittleEndian32(in + 4), static_cast<uint16_t>(colours),
                         static_cast<uint16_t>(colours >> 16), colour);
}

void SetOpaque(AlphaBlock* alpha) {
    for (uint8_t& value : alpha->alpha) {
        value = 255;
    }
}

}  // namespace

void DecodeStoredBlock(uint32_t format, uint32_t flags, const uint8_t* in, ColourBlock* colour,
                       AlphaBlock* alpha) {
    switch (format) {
        case FORMAT_3DC_X:
            DecodeChannel(in, 0, 2, colour);
            SetOpaque(alpha);
            break;
        case FORMAT_3DC_XY:
            DecodeChannel(in, 1, 1, colour);
            DecodeChannel(in + 8, 0, 0, colour);
            for (auto& texel : colour->texel) {
                texel[2] = 255;
            }
            SetOpaque(alpha);
            break;
        case FORMAT_ETC1_RGB8:
            Etc1DecodeBlock(LoadBigEndian32(in), LoadBigEndian32(in + 4), colour);
            SetOpaque(alpha);
            break;
        case FORMAT_ATC:
            if ((flags & FLAG_ALPHA) != 0) {
                if ((flags & FLAG_ALPHA_SINGLE_CHANNEL) != 0) {
                    SingleChannelDecodeBlock(in, alpha->alpha);
                } else {
                    AtcUnpackExplicitAlpha(in, alpha);
                }
                in += 8;
            } else {
                SetOpaque(alpha);
            }
            DecodeAtcColour(in, colour);
            break;
        default:
            break;
    }
}
