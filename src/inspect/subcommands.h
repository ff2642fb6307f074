// The subcommands of VostrelInspect. Each returns its exit status and throws
// Failure (or std::bad_alloc) when it cannot finish.
#pragma once

#include <cstdio>

#include "command_line.h"

int RunInfo(const CommandLine& line, std::FILE* out, std::FILE* err);
int RunDecode(const CommandLine& line, std::FILE* out);
int RunCompare(const CommandLine& line, std::FILE* out, std::FILE* err);
