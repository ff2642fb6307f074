// The command line of VostrelInspect: a subcommand, its operands and its
// options, checked against what that subcommand takes.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

enum class Subcommand { Help, Info, Decode, Compare };

struct CommandLine {
    Subcommand subcommand = Subcommand::Help;
    std::vector<std::string> operands;  // FILE, FILE OUT.png, or SOURCE TEXTURE
    bool json = false;                  // info, compare
    bool sheet = false;                 // decode
    bool hasLevel = false;              // decode
    uint32_t level = 0;
    uint32_t zoom = 1;        // decode, 1 to 16
    bool hasMinPsnr = false;  // compare
    double minPsnr = 0.0;
    std::string diffPath;  // compare; empty for none
};

// A command line that is wrong, with what is wrong about it.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

constexpr uint32_t kMaxZoom = 16;

// Parses argv[1..argc-1]. Options may come before, between or after the
// operands. Throws UsageError.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// The usage text, ending in a newline.
const char* UsageText();
