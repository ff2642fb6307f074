#include "front_end.h"

RunResult RunWorkspace(const char*) {
    return RunResult::Usage("ERROR: Workspace file is invalid. Please check format.");
}
