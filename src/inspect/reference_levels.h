// The source picture brought to each level's size the way VostrelCmd brings
// it, without compression: level 0 by one engine conversion from the source
// to level 0's size, each further level from the level before at its own
// size. Compared with a texture's levels, they leave only what compression
// lost (each level of VostrelCmd's chains is made from the compressed level
// before it, so a level's loss includes what the levels before it lost).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"
#include "texture_image.h"

// count levels from width x height down; throws Failure naming sourcePath.
std::vector<RGBAPicture> ReferenceLevels(const TextureImage& source, uint32_t width,
                                         uint32_t height, uint32_t count,
                                         const std::string& sourcePath);
