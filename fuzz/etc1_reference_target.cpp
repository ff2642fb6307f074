// The fast ETC1 encoder against the reference one, on every Highway target
// this CPU runs: for a fuzzed block, Etc1EncodeBlock must give the words of
// Etc1EncodeBlockReference, and the fast table search of a fuzzed sub-block
// around a fuzzed base colour the codeword, pixel codes and error of
// SearchSubblockTable. The block is raw bytes, small offsets around a colour
// (the smooth blocks of photographs) or two colours in a fuzzed pattern.
#include <hwy/targets.h>

#include <cstdint>

#include "etc1_codec.h"
#include "etc1_encoder.h"
#include "etc1_fast_search.h"
#include "etc1_modifiers.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

namespace {

uint8_t Clamp(int value) {
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

ColourBlock PickBlock(FuzzInput& in) {
    ColourBlock block;
    const uint8_t kind = in.Byte() % 3;
    uint8_t colour[2][3];
    for (auto& channels : colour) {
        for (uint8_t& channel : channels) {
            channel = in.Byte();
        }
    }
    const uint32_t pattern = in.Word();
    const int shift = in.Byte() % 8;
    for (int i = 0; i < 16; ++i) {
        for (int c = 0; c < 3; ++c) {
            const uint8_t byte = in.Byte();
            switch (kind) {
                case 0:
                    block.texel[i][c] = byte;
                    break;
                case 1:
                    block.texel[i][c] = Clamp(colour[0][c] + (static_cast<int8_t>(byte) >> shift));
                    break;
                default:
                    block.texel[i][c] = colour[(pattern >> i) & 1][c];
                    break;
            }
        }
    }
    return block;
}

struct SubblockPlanes {
    int32_t plane[3][8];
    alignas(4) int16_t luma[8];
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const ColourBlock block = PickBlock(in);
    const Etc1Subblock& subblock = Etc1Subblocks[in.Bit() ? 1 : 0][in.Bit() ? 1 : 0];
    const uint8_t base[3] = {in.Byte(), in.Byte(), in.Byte()};

    const Etc1Words expected = Etc1EncodeBlockReference(block);
    const Etc1TableChoice expectedChoice = SearchSubblockTable(block, subblock, base);
    SubblockPlanes planes;
    for (int k = 0; k < 8; ++k) {
        const uint8_t* texel = block.texel[subblock.pixel[k]];
        for (int c = 0; c < 3; ++c) {
            planes.plane[c][k] = texel[c];
        }
        planes.luma[k] = Etc1CoarseLuma(texel);
    }
    const Etc1SubblockLanes lanes = {{planes.plane[0], planes.plane[1], planes.plane[2]},
                                     planes.luma};

    for (const int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        FUZZ_CHECK(Etc1FastEncoderTarget() == target);
        const Etc1Words words = Etc1EncodeBlock(block);
        FUZZ_CHECK(words.word1 == expected.word1 && words.word2 == expected.word2);
        Etc1FastChoice choice;
        Etc1SearchSubblockFast(lanes, base, &choice);
        FUZZ_CHECK(choice.codeword == expectedChoice.codeword &&
                   choice.error == expectedChoice.error);
        for (int k = 0; k < 8; ++k) {
            FUZZ_CHECK(Etc1CodeOfColumn[choice.column[k]] == expectedChoice.code[k]);
        }
    }
    hwy::SetSupportedTargetsForTest(0);
    return 0;
}
