// The report of info: a container's description and whether the tool's
// readers read it, as text for people or as one JSON document.
#pragma once

#include <string>

#include "container_description.h"

struct ReaderVerdict {
    bool reads = false;
    uint32_t levelsRead = 0;
    std::string message;  // the reader's failure message when it does not
};

std::string InfoText(const std::string& path, const ContainerDescription& description,
                     const ReaderVerdict& reader);
std::string InfoJson(const std::string& path, const ContainerDescription& description,
                     const ReaderVerdict& reader);
