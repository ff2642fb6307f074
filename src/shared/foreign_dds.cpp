#include "foreign_dds.h"

#include "dds_format.h"
#include "input_file.h"
#include "little_endian.h"

bool ForeignDDSHoldsItsTopLevel(const char* path, uint64_t* statedPixels) {
    InputFile file;
    uint8_t prefix[kDDSMagicSize + kDDSHeaderSize] = {};
    if (!file.Open(path) || file.ReadAt(0, prefix, sizeof(prefix)) != sizeof(prefix)) {
        return false;
    }
    const uint8_t* header = prefix + kDDSMagicSize;
    const uint64_t pixels =
        uint64_t(ReadLittleEndian32(header + DDS_WIDTH)) * ReadLittleEndian32(header + DDS_HEIGHT);
    *statedPixels = pixels;
    return file.Length() - sizeof(prefix) >= (pixels + 1) / 2;
}
