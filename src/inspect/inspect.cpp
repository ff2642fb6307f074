// RunInspect: the command line parsed, the subcommand run, every failure
// turned into one line on standard error and its exit status.
#include "inspect.h"

#include <exception>
#include <new>

#include "failure.h"
#include "subcommands.h"

namespace {

int RunSubcommand(const CommandLine& line, std::FILE* out, std::FILE* err) {
    switch (line.subcommand) {
        case Subcommand::Info:
            return RunInfo(line, out, err);
        case Subcommand::Decode:
            return RunDecode(line, out);
        case Subcommand::Compare:
            return RunCompare(line, out, err);
        case Subcommand::Help:
            break;
    }
    std::fputs(UsageText(), out);
    return kInspectOk;
}

}  // namespace

int RunInspect(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    CommandLine line;
    try {
        line = ParseCommandLine(argc, argv);
    } catch (const UsageError& error) {
        std::fprintf(err, "VostrelInspect: %s\n\n%s", error.what(), UsageText());
        return kInspectUsage;
    }
    try {
        return RunSubcommand(line, out, err);
    } catch (const Failure& failure) {
        std::fprintf(err, "VostrelInspect: %s\n", failure.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "VostrelInspect: out of memory\n");
    } catch (const std::exception& error) {
        std::fprintf(err, "VostrelInspect: %s\n", error.what());
    }
    return kInspectFailed;
}
