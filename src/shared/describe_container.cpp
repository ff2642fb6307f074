// DescribeContainerFile and SniffContainer: which container a file's first
// bytes name, and the description of a KTX or DDS file by its describer.
#include <cstring>

#include "byte_order.h"
#include "container_description.h"
#include "dds_format.h"
#include "describe_dds.h"
#include "describe_ktx.h"
#include "input_file.h"
#include "ktx_format.h"
#include "message.h"

namespace {

ContainerKind SniffOpenFile(InputFile& file) {
    uint8_t start[4] = {};
    if (file.ReadAt(0, start, sizeof(start)) != sizeof(start)) {
        return ContainerKind::Unknown;
    }
    if (std::memcmp(start, kKTXIdentifier, sizeof(start)) == 0) {
        return ContainerKind::KTX;
    }
    return LoadLittleEndian32(start) == kDDSMagic ? ContainerKind::DDS : ContainerKind::Unknown;
}

}  // namespace

ContainerKind SniffContainer(const char* path) {
    InputFile file;
    return file.Open(path) ? SniffOpenFile(file) : ContainerKind::Unknown;
}

bool DescribeContainerFile(const char* path, ContainerDescription* description, char* message) {
    InputFile file;
    if (description == nullptr || !file.Open(path)) {
        SetMessage(message, "DescribeContainerFile: File could not be opened for reading.");
        return false;
    }
    *description = ContainerDescription{};
    description->fileSize = file.Length();
    switch (SniffOpenFile(file)) {
        case ContainerKind::KTX:
            DescribeKTX(file, description);
            break;
        case ContainerKind::DDS:
            DescribeDDS(file, description);
            break;
        case ContainerKind::Unknown:
            break;
    }
    return true;
}
