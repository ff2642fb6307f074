// TextureFile: a KTX or DDS file's levels read by the tool's readers, and
// each level decoded through Decompress.
#include "texture_file.h"

#include <cstdlib>

#include "failure.h"
#include "file_access.h"
#include "morlune.h"
#include "record.h"

namespace {

// CountMipLevels of the largest 32-bit size: no texture has more levels.
constexpr uint32_t kMostLevels = 32;

}  // namespace

TextureFile::TextureFile(std::string path, ContainerKind kind, uint32_t levelCount)
    : m_path(std::move(path)), m_kind(kind), m_layouts(levelCount), m_levels(levelCount) {
    for (uint32_t i = 0; i < levelCount; ++i) {
        m_levels[i].pPixelLayout = &m_layouts[i];
    }
}

TextureFile::~TextureFile() {
    for (TextureImage& level : m_levels) {
        std::free(level.pData);
    }
}

TextureFile TextureFile::Load(const std::string& path) {
    char message[kMessageBufferSize] = {};
    RequireReadableFile(path);
    const ContainerKind kind = SniffContainer(path.c_str());
    if (kind == ContainerKind::Unknown) {
        throw Failure(path, "neither a KTX nor a DDS file");
    }
    if (kind == ContainerKind::DDS) {
        TextureFile texture(path, kind, 1);
        if (!LoadImageDDS(path.c_str(), &texture.m_levels[0], true, message)) {
            throw Failure(path, message);
        }
        return texture;
    }
    uint32_t announced = 0;
    if (!ValidateKTXImage(path.c_str(), &announced, message)) {
        throw Failure(path, message);
    }
    if (announced > kMostLevels) {
        throw Failure(path, "announces " + std::to_string(announced) +
                                " levels, more than the 32 a texture can have");
    }
    // A file that announces no levels holds one and leaves the rest to be made.
    TextureFile texture(path, kind, announced == 0 ? 1 : announced);
    if (!LoadImageKTX(path.c_str(), texture.m_levels.data(), announced == 0, message)) {
        throw Failure(path, message);
    }
    return texture;
}

RGBAPicture TextureFile::Decode(uint32_t index) const {
    const TextureImage& level = m_levels[index];
    Record decoded = NewRecord();
    // The failure is reported on one line here, not by the engine as well.
    decoded->pPixelLayout->nControl = kControlQuiet;
    char message[kMessageBufferSize] = {};
    if (!Decompress(&level, decoded.get(), level.nWidth, level.nHeight, message)) {
        throw Failure(m_path, "level " + std::to_string(index) + ": " + message);
    }
    RGBAPicture picture;
    picture.width = decoded->nWidth;
    picture.height = decoded->nHeight;
    picture.pixels.assign(decoded->pData, decoded->pData + decoded->nDataSize);
    return picture;
}
