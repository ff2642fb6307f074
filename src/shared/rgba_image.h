// Giving a record a fresh format-1 buffer, for the operations that fill one.
#pragma once

#include "shared.h"

// Releases the record's data and gives it an uninitialised buffer of
// width x height format-1 pixels, whose size the caller has checked to fit
// nDataSize. Returns the buffer; on allocation failure returns null and
// leaves the record with no data and its other fields as they were.
uint8_t* InstallRGBAImage(TextureImage* image, uint32_t width, uint32_t height);
