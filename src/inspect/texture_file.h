// A texture file's levels, read by the same readers VostrelCmd uses: every
// level of a KTX file, the top level of a DDS file (the only level whose
// size that dialect states).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "container_description.h"
#include "picture.h"
#include "texture_image.h"

class TextureFile {
  public:
    // Throws Failure naming path, with the reader's message.
    static TextureFile Load(const std::string& path);

    TextureFile(TextureFile&& other) noexcept = default;
    TextureFile& operator=(TextureFile&& other) = delete;
    TextureFile(const TextureFile&) = delete;
    TextureFile& operator=(const TextureFile&) = delete;
    ~TextureFile();

    const std::string& Path() const { return m_path; }
    ContainerKind Kind() const { return m_kind; }
    uint32_t Format() const { return m_levels.front().nFormat; }
    uint32_t LevelCount() const { return uint32_t(m_levels.size()); }
    const TextureImage& Level(uint32_t index) const { return m_levels[index]; }

    // The level decoded through the engine into RGBA at its own size; throws
    // Failure naming the file.
    RGBAPicture Decode(uint32_t index) const;

  private:
    TextureFile(std::string path, ContainerKind kind, uint32_t levelCount);

    std::string m_path;
    ContainerKind m_kind;
    std::vector<PixelLayout> m_layouts;
    std::vector<TextureImage> m_levels;
};
