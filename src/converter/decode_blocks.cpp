// Block-compressed sources on the 8-bit route: decoded by the block
// library or the ATC decoder into the working image.
#include "atc.h"
#include "morlune_converter.h"
#include "parallel.h"
#include "quenda.h"

namespace {

// Pixels in a band at the least for the passes over decoded pixels.
constexpr uint64_t kBandPixels = 65536;

constexpr int32_t kQuendaDecodeLevel = 0;
constexpr uint32_t kAtcHeaderSize = 20;

// How the block library decodes one source format.
struct QuendaDecoding {
    uint32_t format;
    uint32_t codecFormat;
    uint32_t flags;
    bool querySize;           // the buffer size is asked of the library first
    uint32_t pixelBytes;      // 3: expanded with alpha 255; 4: used as it is
    uint32_t colourChannels;  // channels kept; the others up to blue are cleared
    const char* queryMessage;
    const char* decodeMessage;
};

constexpr QuendaDecoding kQuendaDecodings[] = {
    {ATC_RGBA_INTERPOLATED_ALPHA, FORMAT_ATC, FLAG_ALPHA | FLAG_ALPHA_SINGLE_CHANNEL, true, 4, 3,
     "Error calling QuendaQueryDecodeBufferSize (quenda.lib) for ATC_RGBA_INTERPOLATED_ALPHA",
     "Error calling QuendaDecode (quenda.lib) for ATC_RGBA_INTERPOLATED_ALPHA"},
    {ETC1_RGB8, FORMAT_ETC1_RGB8, FLAG_NO_ALPHA, false, 3, 3, nullptr,
     "Error calling QuendaDecode (quenda.lib) for ETC1_RGB8"},
    {TF_3DC_X, FORMAT_3DC_X, FLAG_ALPHA, false, 4, 1, nullptr,
     "Error calling QuendaDecode (quenda.lib) for 3DC_X"},
    {TF_3DC_XY, FORMAT_3DC_XY, FLAG_ALPHA, false, 4, 2, nullptr,
     "Error calling QuendaDecode (quenda.lib) for 3DC_XY"},
};

// The passes over pixels [begin, end) of a decoded image, their arguments
// copied so that no store to the pixels can be taken to change them.
void ClearChannels(uint8_t* pixels, uint32_t pixelBytes, uint32_t kept, uint64_t begin,
                   uint64_t end) {
    for (uint64_t i = begin; i < end; ++i) {
        for (uint32_t channel = kept; channel < 3; ++channel) {
            pixels[i * pixelBytes + channel] = 0;
        }
    }
}

// 3-byte pixels widened to 4 with alpha 255.
void AddAlpha(const uint8_t* in, uint8_t* out, uint64_t begin, uint64_t end) {
    for (uint64_t i = begin; i < end; ++i) {
        out[4 * i + 0] = in[3 * i + 0];
        out[4 * i + 1] = in[3 * i + 1];
        out[4 * i + 2] = in[3 * i + 2];
        out[4 * i + 3] = 255;
    }
}

const QuendaDecoding* FindQuendaDecoding(uint32_t format) {
    for (const QuendaDecoding& decoding : kQuendaDecodings) {
        if (decoding.format == format) {
            return &decoding;
        }
    }
    return nullptr;
}

}  // namespace

void Morlune::DecodeBlocks() {
    const uint32_t width = m_pSrc->nWidth;
    const uint32_t height = m_pSrc->nHeight;
    const uint64_t count = uint64_t(width) * height;
    // The codecs count output bytes in 32 bits.
    if (count * 4 > kLargestImageBytes) {
        Fail(TRC_FAILED, "Image too large");
    }
    const QuendaDecoding* quenda = FindQuendaDecoding(m_pSrc->nFormat);
    uint32_t pixelBytes = 0;
    PixelBuffer decoded;
    if (quenda != nullptr) {
        pixelBytes = quenda->pixelBytes;
        uint32_t size = uint32_t(count * pixelBytes);
        if (quenda->querySize) {
            uint32_t answered = 0;
            if (QuendaQueryDecodeBufferSize(int32_t(width), int32_t(height), quenda->codecFormat, 1,
                                            &answered) != RESULT_OK ||
                answered < size) {
                Fail(TRC_FAILED, quenda->queryMessage);
            }
            size = answered;
        }
        decoded = Allocate(size);
        if (QuendaDecode(quenda->codecFormat, width, height, quenda->flags, m_pSrc->pData,
                         kQuendaDecodeLevel, ORDER_RGB, decoded.get(), size) != RESULT_OK) {
            Fail(TRC_FAILED, quenda->decodeMessage);
        }
        if (quenda->colourChannels < 3) {
            uint8_t* pixels = decoded.get();
            const uint32_t kept = quenda->colourChannels;
            parallel::ForEachBand(count, parallel::BandSize(count, 1, kBandPixels),
                                  [=](uint64_t begin, uint64_t end) {
                                      ClearChannels(pixels, pixelBytes, kept, begin, end);
                                  });
        }
    } else {
        const bool alpha = ImgInfo(m_pSrc, INFO_HAS_ALPHA) != 0;
        pixelBytes = alpha ? 4 : 3;
        const ATI_TC_Header header{FORMAT_ATC, width, height, alpha ? FLAG_ALPHA : FLAG_NO_ALPHA,
                                   kAtcHeaderSize};
        uint32_t size = 0;
        if (ATI_TC_Decode(&header, m_pSrc->pData, ORDER_RGB, nullptr, &size) != RESULT_OK ||
            size != count * pixelBytes) {
            Fail(TRC_FAILED, "Can't decode ATITC input image");
        }
        decoded = Allocate(size);
        if (ATI_TC_Decode(&header, m_pSrc->pData, ORDER_RGB, decoded.get(), &size) != RESULT_OK) {
            Fail(TRC_FAILED, "Can't decode ATITC input image");
        }
    }
    if (pixelBytes == 4) {
        InstallBuffer(std::move(decoded), width, height, 4);
        return;
    }
    PixelBuffer pixels = Allocate(count * 4);
    const uint8_t* in = decoded.get();
    uint8_t* out = pixels.get();
    parallel::ForEachBand(count, parallel::BandSize(count, 1, kBandPixels),
                          [=](uint64_t begin, uint64_t end) { AddAlpha(in, out, begin, end); });
    InstallBuffer(std::move(pixels), width, height, 4);
}
