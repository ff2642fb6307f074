// The screen for DDS files of other writers: the header's stated top level
// against the file's length, before the picture library allocates it.
#include "foreign_dds.h"

#include "byte_order.h"
#include "dds_format.h"
#include "input_file.h"

bool ForeignDDSHoldsItsTopLevel(const char* path, uint64_t* statedPixels) {
    InputFile file;
    uint8_t prefix[kDDSMagicSize + kDDSHeaderSize] = {};
    if (!file.Open(path) || file.ReadAt(0, prefix, sizeof(prefix)) != sizeof(prefix)) {
        return false;
    }
    const uint8_t* header = prefix + kDDSMagicSize;
    const uint64_t pixels =
        uint64_t(LoadLittleEndian32(header + DDSWidth)) * LoadLittleEndian32(header + DDSHeight);
    *statedPixels = pixels;
    return file.Length() - sizeof(prefix) >= (pixels + 1) / 2;
}
