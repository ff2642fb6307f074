// Runs another program as a child process and measures it.
#pragma once

#include <string>
#include <vector>

struct ChildRun {
    bool started = false;  // the program could be run at all
    int exitStatus = -1;   // exit status, -1 when it did not exit normally
    double seconds = 0.0;  // wall-clock time from start to exit
    long peakKb = 0;       // peak resident set size of the child, in KiB
};

// Runs argv[0] (searched in PATH) with standard input from /dev/null and
// standard output and error into logPath, and waits for it. The child gets
// this process's environment with the NAME=value entries of setting in
// place of any of the same names.
ChildRun RunChild(const std::vector<std::string>& argv, const std::string& logPath,
                  const std::vector<std::string>& setting = {});
