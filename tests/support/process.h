// Running the real executable from a test.
#pragma once

#include <string>
#include <vector>

struct ProcessResult {
    int exitStatus = -1;      // the process's exit status, or -1 if it did not exit normally
    std::string errorOutput;  // everything written to standard error
    std::string output;       // everything written to standard output
};

// Runs program with arguments, standard input from /dev/null, in the
// current directory, and waits for it.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments);

// Runs the VostrelCmd executable built with the tests.
ProcessResult RunVostrelCmd(const std::vector<std::string>& arguments);

// Runs the VostrelCmd executable with standard error on a pseudo-terminal
// columns wide whose output is passed on untranslated ("\n" stays "\n"),
// TERM set to term, standard input from /dev/null and standard output
// discarded. errorOutput holds every byte that the terminal received.
ProcessResult RunVostrelCmdOnTerminal(const std::vector<std::string>& arguments,
                                      unsigned short columns, const char* term);
