// ATI_TC_Encode: every block through the full search.
#include "image_encoder.h"

namespace {

struct ExhaustiveEncoder {
    uint32_t format;

    uint32_t operator()(const ColourBlock& texels, uint16_t* colour0, uint16_t* colour1) const {
        return EncodeColourBlock(texels, format, colour0, colour1);
    }
    void Finish(uint64_t) const {}
};

}  // namespace

int32_t ATI_TC_Encode(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                      uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                      uint32_t flags, uint32_t format, ATI_TC_Header* header, uint8_t* output,
                      uint32_t* size) {
    const EncodeRequest request = DescribeRequest(source, mask0, mask1, mask2, alphaMask, width,
                                                  height, pitch, flags, format);
    bool walk = false;
    const int32_t result = StartEncode(request, PixelSizes::Any, header, output, size, &walk);
    if (walk) {
        EncodeBlocks(request, PlanImageBands(request), output, ExhaustiveEncoder{format});
    }
    return result;
}
