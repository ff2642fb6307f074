// Checking up front that an input file can be opened, so that a missing or
// unreadable file is reported as such rather than as a file of the wrong kind.
#pragma once

#include <string>

// Throws Failure naming path with the system's reason ("No such file or
// directory") when the file cannot be opened for reading.
void RequireReadableFile(const std::string& path);
