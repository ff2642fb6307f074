// The source, the checks and the block layout that both ATC image encoders
// share.
#include "image_encoder.h"

#include "byte_order.h"

namespace {

bool LayoutSupported(const SourceImage& image, PixelSizes pixelSizes) {
    for (const ChannelMask& channel : image.colour) {
        if (channel.width > 8) {
            return false;
        }
    }
    const uint32_t alphaWidth = image.alpha.width;
    if (alphaWidth != 0 && alphaWidth != 1 && alphaWidth != 4 && alphaWidth != 8) {
        return false;
    }
    return pixelSizes == PixelSizes::Any || (image.pixelBytes >= 2 && image.pixelBytes <= 4);
}

// Blocks along one side; none for a side of 0 or less.
int64_t BlocksAlong(int64_t pixels) { return pixels > 0 ? (pixels + 3) >> 2 : 0; }

}  // namespace

EncodeRequest DescribeRequest(const uint8_t* source, uint32_t mask0, uint32_t mask1, uint32_t mask2,
                              uint32_t alphaMask, int32_t width, int32_t height, int32_t pitch,
                              uint32_t flags, uint32_t format) {
    EncodeRequest request{DescribeSource(mask0, mask1, mask2, alphaMask), flags, format};
    request.image.pixels = source;
    request.image.width = width;
    request.image.height = height;
    request.image.pitch = pitch;
    return request;
}

int32_t StartEncode(const EncodeRequest& request, PixelSizes pixelSizes, ATI_TC_Header* header,
                    const uint8_t* output, uint32_t* size, bool* walk) {
    *walk = false;
    if ((request.flags & FLAG_NO_ALPHA) != 0 && (request.flags & FLAG_ALPHA) != 0) {
        return RESULT_FLAGS_CONFLICT;
    }
    if (request.format != FORMAT_ATC && request.format != FORMAT_ATC_ORDER_MODE) {
        return RESULT_UNKNOWN_FORMAT;
    }
    if (!LayoutSupported(request.image, pixelSizes)) {
        return RESULT_UNSUPPORTED_LAYOUT;
    }
    const int64_t blockBytes = (request.flags & FLAG_ALPHA) != 0 ? 16 : 8;
    const int64_t needed =
        blockBytes * BlocksAlong(request.image.width) * BlocksAlong(request.image.height);
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
    *header = {request.format, static_cast<uint32_t>(request.image.width),
               static_cast<uint32_t>(request.image.height), request.flags, sizeof(ATI_TC_Header)};
    *walk = true;
    return RESULT_OK;
}

BandPlan PlanImageBands(const EncodeRequest& request) {
    return PlanBands(static_cast<uint64_t>(BlocksAlong(request.image.width)),
                     static_cast<uint64_t>(BlocksAlong(request.image.height)));
}

void StoreColourBlock(uint16_t colour0, uint16_t colour1, uint32_t indexWord, uint8_t block[8]) {
    StoreLittleEndian32(block, uint32_t{colour1} << 16 | colour0);
    StoreLittleEndian32(block + 4, indexWord);
}
