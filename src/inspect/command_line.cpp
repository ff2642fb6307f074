// VostrelInspect's command line parsed against each subcommand's rule, and
// its usage text.
#include "command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

struct SubcommandRule {
    const char* name;
    Subcommand subcommand;
    size_t operands;
    const char* operandNames;
    std::vector<std::string> options;
};

const SubcommandRule kRules[] = {
    {"info", Subcommand::Info, 1, "FILE", {"--json"}},
    {"decode", Subcommand::Decode, 2, "FILE OUT.png", {"--level", "--sheet", "--zoom"}},
    {"compare", Subcommand::Compare, 2, "SOURCE TEXTURE", {"--json", "--min-psnr", "--diff"}},
};

// A whole decimal number from 0 to UINT32_MAX, digits only.
bool ParseWholeNumber(const std::string& text, uint32_t* value) {
    if (text.empty() || text.size() > 10 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const unsigned long long number = std::strtoull(text.c_str(), nullptr, 10);
    if (number > UINT32_MAX) {
        return false;
    }
    *value = uint32_t(number);
    return true;
}

bool ParseDecibels(const std::string& text, double* value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const double number = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(number)) {
        return false;
    }
    *value = number;
    return true;
}

void ParseOption(const std::string& option, int argc, const char* const* argv, int* index,
                 CommandLine* line) {
    auto operand = [&]() -> std::string {
        if (*index + 1 >= argc) {
            throw UsageError(option + " needs a value");
        }
        return argv[++*index];
    };
    if (option == "--json") {
        line->json = true;
    } else if (option == "--sheet") {
        line->sheet = true;
    } else if (option == "--level") {
        if (!ParseWholeNumber(operand(), &line->level)) {
            throw UsageError("--level needs a level number: 0, 1, 2 ...");
        }
        line->hasLevel = true;
    } else if (option == "--zoom") {
        if (!ParseWholeNumber(operand(), &line->zoom) || line->zoom < 1 || line->zoom > kMaxZoom) {
            throw UsageError("--zoom needs a whole number from 1 to 16");
        }
    } else if (option == "--min-psnr") {
        if (!ParseDecibels(operand(), &line->minPsnr)) {
            throw UsageError("--min-psnr needs a number of decibels, such as 32.5");
        }
        line->hasMinPsnr = true;
    } else if (option == "--diff") {
        line->diffPath = operand();
        if (line->diffPath.empty()) {
            throw UsageError("--diff needs a file name");
        }
    }
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    if (argc < 2) {
        throw UsageError("a subcommand is needed: info, decode or compare");
    }
    const std::string name = argv[1];
    if (name == "help" || name == "--help" || name == "-h") {
        return line;
    }
    const SubcommandRule* rule = nullptr;
    for (const SubcommandRule& candidate : kRules) {
        if (name == candidate.name) {
            rule = &candidate;
        }
    }
    if (rule == nullptr) {
        throw UsageError("unknown subcommand \"" + name + "\"");
    }
    line.subcommand = rule->subcommand;
    std::vector<std::string> seen;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            line.operands.push_back(argument);
            continue;
        }
        bool known = false;
        for (const std::string& option : rule->options) {
            known = known || option == argument;
        }
        if (!known) {
            throw UsageError(name + " has no option " + argument);
        }
        for (const std::string& earlier : seen) {
            if (earlier == argument) {
                throw UsageError(argument + " is given twice");
            }
        }
        seen.push_back(argument);
        ParseOption(argument, argc, argv, &i, &line);
    }
    if (line.operands.size() != rule->operands) {
        throw UsageError(name + " takes " + rule->operandNames);
    }
    if (line.sheet && line.hasLevel) {
        throw UsageError("--sheet shows every level: it takes no --level");
    }
    return line;
}

const char* UsageText() {
    return "Usage:\n"
           "  VostrelInspect info FILE [--json]\n"
           "  VostrelInspect decode FILE OUT.png [--level N] [--sheet] [--zoom K]\n"
           "  VostrelInspect compare SOURCE TEXTURE [--json] [--min-psnr DB] [--diff OUT.png]\n"
           "\n"
           "info     describes a KTX or DDS file: every header field with its meaning, the\n"
           "         key/value data, each level, and whether the file conforms to its\n"
           "         format and can be read back; --json writes the same as JSON.\n"
           "decode   decodes level N (0, the largest, by default) to RGBA and writes it as\n"
           "         a PNG picture; --sheet puts every level side by side in one picture;\n"
           "         --zoom K (1 to 16) repeats each pixel K x K times.\n"
           "compare  measures each level of TEXTURE against the picture SOURCE, reduced\n"
           "         to the level's size as VostrelCmd reduces it: PSNR and the largest\n"
           "         error of each channel the type stores, per level and for the whole\n"
           "         chain; --min-psnr exits with 3 when a level falls below DB;\n"
           "         --diff writes level 0's error, amplified 8 times, as a PNG picture.\n"
           "\n"
           "Exit status: 0 done, 1 failed (the reason is on standard error), 2 wrong\n"
           "usage, 3 a level below --min-psnr.\n";
}
