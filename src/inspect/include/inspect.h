// VostrelInspect: reading back the textures that VostrelCmd writes. Its
// subcommands describe a KTX or DDS file (info), decode its levels into PNG
// pictures (decode), and measure what compression lost against the source
// picture (compare).
#pragma once

#include <cstdio>

// Exit statuses of RunInspect.
constexpr int kInspectOk = 0;
constexpr int kInspectFailed = 1;        // a file could not be read, written or compared
constexpr int kInspectUsage = 2;         // the command line was wrong
constexpr int kInspectBelowMinPsnr = 3;  // compare: a level fell below --min-psnr

// Runs one command line (argv[0] is the program's name): results go to out,
// the usage text and one line per failure to err. Returns the exit status.
int RunInspect(int argc, const char* const* argv, std::FILE* out, std::FILE* err);
