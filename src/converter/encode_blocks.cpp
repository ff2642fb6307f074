// Block-compressed destinations: the working image encoded by the block
// library or the ATC encoders straight into the destination's data.
#include <limits>

#include "atc.h"
#include "channel_masks.h"
#include "morlune_converter.h"
#include "quenda.h"

namespace {

enum class Encoder { Quenda, Atc };

// How one destination format is encoded.
struct BlockEncoding {
    uint32_t format;
    Encoder encoder;
    uint32_t flags;
    uint32_t codecFormat;
    const char* message;  // printed when the encoder fails
};

constexpr const char* kAtcMessage = "ATI_TC_Encode returned an error trying to encode the image";

constexpr BlockEncoding kBlockEncodings[] = {
    {ATC_RGBA_INTERPOLATED_ALPHA, Encoder::Quenda, FLAG_ALPHA | FLAG_ALPHA_SINGLE_CHANNEL,
     FORMAT_ATC,
     "QuendaEncode (quenda.lib) returned an error trying to encode the image using "
     "ATC_RGBA_INTERPOLATED_ALPHA"},
    {ETC1_RGB8, Encoder::Quenda, FLAG_NO_ALPHA, FORMAT_ETC1_RGB8,
     "QuendaEncode returned an error trying to encode the image using ETC1_RGB8"},
    {TF_3DC_X, Encoder::Quenda, 0, FORMAT_3DC_X,
     "QuendaEncode returned an error trying to encode the image using 3DC_X"},
    {TF_3DC_XY, Encoder::Quenda, 0, FORMAT_3DC_XY,
     "QuendaEncode returned an error trying to encode the image using 3DC_XY"},
    {ATC_RGBA_EXPLICIT_ALPHA, Encoder::Atc, FLAG_ALPHA, FORMAT_ATC, kAtcMessage},
    {ATC_RGB, Encoder::Atc, FLAG_NO_ALPHA, FORMAT_ATC, kAtcMessage},
};

const BlockEncoding& FindBlockEncoding(uint32_t format) {
    for (const BlockEncoding& encoding : kBlockEncodings) {
        if (encoding.format == format) {
            return encoding;
        }
    }
    throw TRC_FAILED;
}

constexpr uint32_t kFastAtcEncoder = 1;

}  // namespace

void Morlune::EncodeBlocks() {
    const BlockEncoding& encoding = FindBlockEncoding(m_pDst->nFormat);
    // The encoders take the row length in bytes as a signed 32-bit pitch.
    const uint64_t pitch = uint64_t(m_nWidth) * 4;
    if (pitch > uint64_t(std::numeric_limits<int32_t>::max())) {
        Fail(TRC_FAILED, "Image too large");
    }
    const ChannelMasks& m = kWorkingMasks;
    const int32_t width = int32_t(m_nWidth);
    const int32_t height = int32_t(m_nHeight);
    int32_t result = RESULT_OK;
    if (encoding.encoder == Encoder::Quenda) {
        result = QuendaEncode(m_pBuffer.get(), m.red, m.green, m.blue, m.alpha, width, height,
                              int32_t(pitch), encoding.flags, encoding.codecFormat, m_pDst->pData,
                              &m_pDst->nDataSize);
    } else {
        ATI_TC_Header header{};
        const auto encode = ImgInfo(m_pDst, INFO_ENCODE_SPEED) == kFastAtcEncoder
                                ? ATI_TC_EncodeFast
                                : ATI_TC_Encode;
        result = encode(m_pBuffer.get(), m.red, m.green, m.blue, m.alpha, width, height,
                        int32_t(pitch), encoding.flags, encoding.codecFormat, &header,
                        m_pDst->pData, &m_pDst->nDataSize);
        if (result == RESULT_LOW_QUALITY) {
            PrintError("Fast ATI_TC_Encode returned a low quality error");
            result = RESULT_OK;
        }
    }
    if (result != RESULT_OK) {
        Fail(TRC_FAILED, encoding.message);
    }
    ReleaseBuffer();
}
