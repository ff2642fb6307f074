// DDS files that the program's own reader rejects go to the picture library,
// which allocates the full picture that the header states before it reads a
// single pixel. They are screened here first.
#pragma once

#include <cstdint>

// True when the file holds a whole DDS header and at least half a byte per
// pixel of the top level that the header states: the densest format the
// picture library reads (DXT1) needs that much. A file that passes makes the
// library allocate at most eight times its own size. statedPixels receives
// the header's width x height whenever the header was read.
bool ForeignDDSHoldsItsTopLevel(const char* path, uint64_t* statedPixels);
