// The console program's parts: banner, usage, the direct mode, the
// workspace mode, and the two ways in which a run stops early.
#pragma once

#include <cstdint>
#include <string>

constexpr unsigned kProgramVersionMajor = 0;
constexpr unsigned kProgramVersionMinor = 1;
constexpr unsigned kProgramVersionRevision = 0;

// "0.01.00": the banner's version and the workspace header's.
std::string FormatProgramVersion();

// How a run ended. A run that stops early carries the message for
// FatalError or PrintUsage; the caller ends the process with it, after every
// record of the run has been released.
struct RunResult {
    enum class Ending { Completed, Usage, Fatal };
    Ending ending = Ending::Completed;
    bool hasMessage = false;
    std::string message;

    static RunResult Completed() { return {}; }
    static RunResult Usage() { return {Ending::Usage, false, {}}; }
    static RunResult Usage(std::string text) { return {Ending::Usage, true, std::move(text)}; }
    static RunResult Fatal(std::string text) { return {Ending::Fatal, true, std::move(text)}; }
};

// Requested output sizes above this are refused: the largest texture that
// GPUs sample, and far from 32-bit overflow in every later size computation.
constexpr uint32_t kLargestOutputSize = 16384;

// Reads the leading decimal integer of text as atoi does (leading blanks,
// one sign, digits up to the first non-digit, none gives 0), saturating
// instead of overflowing, and returns it as the unsigned 32-bit value that
// the front end works with.
uint32_t ParseSizeArgument(const char* text);

// Converts a loaded source into one level or a full mip chain of format at
// width x height (0 keeps the source's size) and saves them as a KTX file.
RunResult ConvertAndSave(const struct TextureImage* source, uint32_t format, uint32_t width,
                         uint32_t height, bool generateMips, const char* outputPath);

// The direct mode: argv[1..3] are input, output and compression type;
// argv[4..6] the optional mip flag, width and height.
RunResult RunDirectMode(int argc, const char* const* argv);

// The workspace mode on one workspace file.
RunResult RunWorkspace(const char* path);

// Writes "ERROR: message" (when not null), waits for a key and exits with 1.
[[noreturn]] void FatalError(const char* message);

// Writes the message (when not null) and the usage text, waits for a key and
// exits with 1.
[[noreturn]] void PrintUsage(const char* message);

// Ends the process as result says, or returns 0 for a completed run.
int FinishRun(const RunResult& result);

// The workspace mode as main runs it: the exit status of a completed run.
int ProcessWorkspace(const char* path);
