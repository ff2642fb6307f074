// VostrelCmd, the console program: its whole flow behind main.
#pragma once

// Writes the banner, runs the direct or the workspace mode that argv asks
// for and returns the exit status; a run that stops early ends the process
// itself, after its message and the keypress wait.
int RunMain(int argc, const char* const* argv);
