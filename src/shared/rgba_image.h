// Format-1 records: giving one a fresh buffer, for the operations that fill
// one, and checking one before it is written as a picture.
#pragma once

#include "shared.h"

// Releases the record's data and gives it an uninitialised buffer of
// width x height format-1 pixels, whose size the caller has checked to fit
// nDataSize. Returns the buffer; on allocation failure returns null and
// leaves the record with no data and its other fields as they were.
uint8_t* InstallRGBAImage(TextureImage* image, uint32_t width, uint32_t height);

// True when image is a format-1 record of at least 1 x 1 and at most
// largestSide x largestSide pixels whose data holds all of its pixels.
bool HoldsRGBAPicture(const TextureImage* image, uint32_t largestSide);
