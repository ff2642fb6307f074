#include "our_codec.h"

#include "morlune.h"

namespace {

PixelLayout QuietLayout(uint32_t encodeSpeed) {
    PixelLayout layout{};
    layout.nEncodeSpeed = encodeSpeed;
    layout.nControl = kControlQuiet;
    return layout;
}

// Size query, then the conversion into a buffer of exactly that size.
EngineResult Convert(const TextureImage& source, uint32_t format, uint32_t width, uint32_t height,
                     uint32_t encodeSpeed, std::vector<uint8_t>* out) {
    PixelLayout layout = QuietLayout(encodeSpeed);
    TextureImage destination{width, height, format, &layout, 0, nullptr};
    EngineResult result;
    result.code = MorluneConvert(&source, &destination);
    if (result.code != TRC_OK || destination.nDataSize == 0) {
        return result;
    }
    out->assign(destination.nDataSize, 0);
    destination.pData = out->data();
    result.code = MorluneConvert(&source, &destination);
    if (result.code == TRC_OK) {
        out->resize(destination.nDataSize);
        result.ok = true;
    }
    return result;
}

}  // namespace

OurEncoder::OurEncoder(const Picture& picture, uint32_t format, uint32_t encodeSpeed)
    : m_picture(picture), m_format(format), m_encodeSpeed(encodeSpeed) {
    PixelLayout layout = QuietLayout(m_encodeSpeed);
    TextureImage destination{m_picture.width, m_picture.height, m_format, &layout, 0, nullptr};
    PixelLayout sourceLayout = QuietLayout(0);
    TextureImage source{m_picture.width, m_picture.height, RGBA8888, &sourceLayout, 0, nullptr};
    m_sizeQueryCode = MorluneConvert(&source, &destination);
    if (m_sizeQueryCode == TRC_OK && destination.nDataSize == 0) {
        m_sizeQueryCode = TRC_FAILED;
    }
    if (m_sizeQueryCode == TRC_OK) {
        m_blocks.assign(destination.nDataSize, 0);
    }
}

EngineResult OurEncoder::Run() {
    EngineResult result;
    if (m_sizeQueryCode != TRC_OK) {
        result.code = m_sizeQueryCode;
        return result;
    }
    PixelLayout sourceLayout = QuietLayout(0);
    TextureImage source{m_picture.width,
                        m_picture.height,
                        RGBA8888,
                        &sourceLayout,
                        uint32_t(m_picture.rgba.size()),
                        const_cast<uint8_t*>(m_picture.rgba.data())};
    PixelLayout layout = QuietLayout(m_encodeSpeed);
    TextureImage destination{m_picture.width, m_picture.height,          m_format,
                             &layout,         uint32_t(m_blocks.size()), m_blocks.data()};
    result.code = MorluneConvert(&source, &destination);
    result.ok = result.code == TRC_OK;
    return result;
}

EngineResult DecodeOurs(const std::vector<uint8_t>& blocks, uint32_t format, uint32_t width,
                        uint32_t height, std::vector<uint8_t>* rgba) {
    PixelLayout sourceLayout = QuietLayout(0);
    TextureImage source{width,
                        height,
                        format,
                        &sourceLayout,
                        uint32_t(blocks.size()),
                        const_cast<uint8_t*>(blocks.data())};
    EngineResult result = Convert(source, RGBA8888, width, height, 0, rgba);
    if (result.ok && rgba->size() != size_t(width) * height * 4) {
        result.ok = false;
        result.code = TRC_FAILED;
    }
    return result;
}
