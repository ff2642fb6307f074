// Our encoders and decoder, reached through the engine's entry.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

struct EngineResult {
    bool ok = false;
    int32_t code = 0;  // the engine's result when it failed
};

// Prepares a conversion from the picture (format 1) to format, with
// nEncodeSpeed in the destination's layout, so that Run() can be timed
// alone. Blocks() holds the result of the last run.
class OurEncoder {
  public:
    OurEncoder(const Picture& picture, uint32_t format, uint32_t encodeSpeed);
    EngineResult Run();
    const std::vector<uint8_t>& Blocks() const { return m_blocks; }

  private:
    const Picture& m_picture;
    uint32_t m_format;
    uint32_t m_encodeSpeed;
    std::vector<uint8_t> m_blocks;
    int32_t m_sizeQueryCode = 0;
};

// Decodes level 0 blocks of format back to RGBA8888 through the engine.
EngineResult DecodeOurs(const std::vector<uint8_t>& blocks, uint32_t format, uint32_t width,
                        uint32_t height, std::vector<uint8_t>* rgba);
