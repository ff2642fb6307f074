// A large picture for the command-line run with mips, tiled from the
// corpus: cells of kTileSide x kTileSide, each cut from the middle of one
// picture (repeated if the picture is smaller), the pictures taken in turn.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

constexpr uint32_t kTileSide = 512;

// side x side from pictures (at least one); cell (cx, cy) comes from picture
// (cy * cells across + cx) modulo their count.
Picture TilePictures(const std::vector<const Picture*>& pictures, uint32_t side);
