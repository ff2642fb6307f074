// The per-process scratch directory of a fuzz target: made on first use
// under the system's temporary directory, removed with its contents at exit.
// Every file a target writes lives in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

const std::string& ScratchDirectory();

// Writes size bytes to the file name in the scratch directory, replacing it,
// and returns its path. A failure aborts: a target without its file tests
// nothing.
std::string WriteScratchFile(const std::string& name, const uint8_t* data, size_t size);
