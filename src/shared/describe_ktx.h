// The KTX describer behind DescribeContainerFile: a KTX file field by field,
// checked against KTX 1.1.
#pragma once

#include "container_description.h"
#include "input_file.h"

// Fills description for a file whose first bytes are the KTX identifier's.
void DescribeKTX(InputFile& file, ContainerDescription* description);
