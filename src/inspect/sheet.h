// Arranging decoded levels for viewing: every level side by side in one
// picture, and enlarging by pixel repetition.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

// Level 0 on the left and each next level to the right of the one before,
// all top-aligned, on a transparent black background as tall as the tallest
// level. Throws Failure naming outPath when the sheet is too large to write.
RGBAPicture MakeSheet(const std::vector<RGBAPicture>& levels, const std::string& outPath);

// Each pixel repeated factor x factor times; throws Failure naming outPath
// when the result is too large to write.
RGBAPicture Zoom(const RGBAPicture& picture, uint32_t factor, const std::string& outPath);
