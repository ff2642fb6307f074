#include <strings.h>

#include <cstdio>

#include "front_end.h"
#include "interrupt_cleanup.h"
#include "terminal_status.h"

std::string FormatProgramVersion() {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%02d.%02d", PROGRAM_VERSION_MAJOR, PROGRAM_VERSION_MINOR,
                  PROGRAM_VERSION_REVISION);
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
