// The DDS describer behind DescribeContainerFile: a DDS file field by field,
// checked against the dialect that SaveImageDDS writes.
#pragma once

#include "container_description.h"
#include "input_file.h"

// Fills description for a file whose first bytes are the DDS magic.
void DescribeDDS(InputFile& file, ContainerDescription* description);
