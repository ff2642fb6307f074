#include "child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "stopwatch.h"

extern char** environ;

namespace {

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// This process's environment, with setting's entries replacing those of
// their names. Made before the fork: the child only calls exec.
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& setting) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        bool replaced = false;
        for (const std::string& own : setting) {
            replaced = replaced || NameOf(own) == NameOf(text);
        }
        if (!replaced) {
            entries.push_back(text);
        }
    }
    entries.insert(entries.end(), setting.begin(), setting.end());
    return entries;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const std::string& text : texts) {
        pointers.push_back(const_cast<char*>(text.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& argv, const std::string& logPath,
                  const std::vector<std::string>& setting) {
    ChildRun result;
    std::vector<char*> arguments = Pointers(argv);
    const std::vector<std::string> environment = ChildEnvironment(setting);
    std::vector<char*> environmentPointers = Pointers(environment);

    const double start = NowSeconds();
    const pid_t pid = fork();
    if (pid < 0) {
        return result;
    }
    if (pid == 0) {
        const int input = open("/dev/null", O_RDONLY);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (input < 0 || log < 0) {
            _exit(127);
        }
        dup2(input, STDIN_FILENO);
        dup2(log, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execvpe(arguments[0], arguments.data(), environmentPointers.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return result;
    }
    result.seconds = NowSeconds() - start;
    result.peakKb = usage.ru_maxrss;
    result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.started = result.exitStatus != 127;
    return result;
}
