// One block of each format into its stored layout: which codec makes each
// part and in which byte order its words are kept.
#include "atc.h"
#include "byte_order.h"
#include "etc1_codec.h"
#include "single_channel_codec.h"
#include "stored_block.h"

namespace {

void EncodeChannel(const ColourBlock& colour, int channel, uint8_t* out) {
    uint8_t values[16];
    for (int i = 0; i < 16; ++i) {
        values[i] = colour.texel[i][channel];
    }
    SingleChannelEncodeBlock(values, out);
}

// Word 0 holds colour 0 in its low half and colour 1 in its high half; word
// 1 is the index word; both little-endian.
void EncodeAtcColour(const ColourBlock& colour, uint8_t* out) {
    uint16_t colour0 = 0;
    uint16_t colour1 = 0;
    const uint32_t indices = AtcEncodeColourBlock(colour, &colour0, &colour1);
    StoreLittleEndian32(out, static_cast<uint32_t>(colour1) << 16 | colour0);
    StoreLittleEndian32(out + 4, indices);
}

}  // namespace

void EncodeStoredBlock(uint32_t format, uint32_t flags, const ColourBlock& colour,
                       const AlphaBlock& alpha, uint8_t* out) {
    switch (format) {
        case FORMAT_3DC_X:
            EncodeChannel(colour, 0, out);
            break;
        case FORMAT_3DC_XY:
            EncodeChannel(colour, 1, out);
            EncodeChannel(colour, 0, out + 8);
            break;
        case FORMAT_ETC1_RGB8: {
            const Etc1Words words = Etc1EncodeBlock(colour);
            StoreBigEndian32(out, words.word1);
            StoreBigEndian32(out + 4, words.word2);
            break;
        }
        case FORMAT_ATC:
            if ((flags & FLAG_ALPHA) != 0) {
                if ((flags & FLAG_ALPHA_SINGLE_CHANNEL) != 0) {
                    SingleChannelEncodeBlock(alpha.alpha, out);
                } else {
                    AtcPackExplicitAlpha(alpha, out);
                }
                out += 8;
            }
            EncodeAtcColour(colour, out);
            break;
        default:
            break;
    }
}
