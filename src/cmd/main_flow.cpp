// main's flow: the banner, then the direct or the workspace mode, each
// ended as its result says; and the version text that both print or check.
#include <strings.h>

#include <cstdio>

#include "cmd.h"
#include "front_end.h"
#include "shared.h"
#include "terminal_status.h"

std::string FormatProgramVersion() {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%02d", kProgramVersionMajor, kProgramVersionMinor,
                  kProgramVersionRevision);
    return text;
}

int ProcessWorkspace(const char* path) { return FinishRun(RunWorkspace(path)); }

int RunMain(int argc, const char* const* argv) {
    // Ctrl-C or SIGTERM while a texture is being written removes its
    // temporary file; the destination keeps what it held.
    InstallInterruptCleanup();
    EnableTerminalStatus();
    std::fprintf(stderr,
                 "VostrelCmd v%s Compresses images into GPU block-compressed KTX textures.\n\n",
                 FormatProgramVersion().c_str());
    if (argc == 3 && strcasecmp(argv[1], "-ws") == 0) {
        return ProcessWorkspace(argv[2]);
    }
    if (argc < 4) {
        return FinishRun(RunResult::Usage());
    }
    return FinishRun(RunDirectMode(argc, argv));
}
