// The ATC colour-block encoders against their texel-by-texel references on
// one fuzzed block: the full search and the quick encoder in the chosen
// format, on every vector target that was compiled in and that this
// processor has, plus the explicit alpha block against its definition. Any
// difference aborts.
//
// Bytes: a shape byte, then the block. Shape 0 reads 48 raw channel bytes;
// shape 1 a palette of four colours (12 bytes) and a 2-bit pick per texel
// (4 bytes), which reaches few-colour and black-mode blocks far more often;
// shape 2 grey levels, one byte per texel, where splits tie. Then 16 alpha
// bytes. Bit 7 of the shape byte picks FORMAT_ATC_ORDER_MODE.
#include <cstdint>
#include <vector>

#include "atc.h"
#include "atc_internal.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "hwy/targets.h"

namespace {

struct Encoded {
    uint16_t colour0;
    uint16_t colour1;
    uint32_t indexWord;
    int32_t grade;

    bool operator==(const Encoded&) const = default;
};

ColourBlock ReadBlock(FuzzInput& in, uint8_t shape) {
    ColourBlock block{};
    switch (shape % 3) {
        case 0:
            for (auto& texel : block.texel) {
                for (uint8_t& channel : texel) {
                    channel = in.Byte();
                }
            }
            break;
        case 1: {
            uint8_t palette[4][3];
            for (auto& colour : palette) {
                for (uint8_t& channel : colour) {
                    channel = in.Byte();
                }
            }
            uint32_t picks = in.Word();
            for (auto& texel : block.texel) {
                for (int k = 0; k < 3; ++k) {
                    texel[k] = palette[picks & 3][k];
                }
                picks >>= 2;
            }
            break;
        }
        default:
            for (auto& texel : block.texel) {
                texel[0] = texel[1] = texel[2] = in.Byte();
            }
            break;
    }
    return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t shape = in.Byte();
    const uint32_t format = (shape & 0x80) != 0 ? FORMAT_ATC_ORDER_MODE : FORMAT_ATC;
    const ColourBlock texels = ReadBlock(in, shape & 0x7F);
    AlphaBlock alpha{};
    for (uint8_t& a : alpha.alpha) {
        a = in.Byte();
    }

    Encoded exhaustive{};
    exhaustive.indexWord =
        EncodeColourBlockReference(texels, format, &exhaustive.colour0, &exhaustive.colour1);
    Encoded quick{};
    quick.indexWord = EncodeColourBlockQuickReference(texels, format, &quick.colour0,
                                                      &quick.colour1, &quick.grade);
    for (int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        Encoded e{};
        e.indexWord = EncodeColourBlock(texels, format, &e.colour0, &e.colour1);
        FUZZ_CHECK(e == exhaustive);
        Encoded q{};
        q.indexWord = EncodeColourBlockQuick(texels, format, &q.colour0, &q.colour1, &q.grade);
        FUZZ_CHECK(q == quick);
    }
    hwy::SetSupportedTargetsForTest(0);

    uint8_t packed[8];
    AtcPackExplicitAlpha(alpha, packed);
    for (int t = 0; t < 16; ++t) {
        FUZZ_CHECK(((packed[t >> 1] >> (4 * (t & 1))) & 15) == alpha.alpha[t] >> 4);
    }
    AlphaBlock unpacked{};
    AtcUnpackExplicitAlpha(packed, &unpacked);
    for (int t = 0; t < 16; ++t) {
        FUZZ_CHECK(unpacked.alpha[t] == (alpha.alpha[t] >> 4) * 17);
    }
    return 0;
}
