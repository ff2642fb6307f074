// Float pictures (grey, RGB or RGBA) brought to format 1 through the
// conversion engine's float sources, so that their values saturate to 0 and
// 255 exactly as every float source's do.
#pragma once

#include <cstdint>

#include "picture_library.h"

enum class FloatPictureResult { Converted, TooLarge, Failed };

// Writes the picture's width x height format-1 pixels into rgba.
FloatPictureResult ConvertFloatPicture(const Picture& picture, uint8_t* rgba);
