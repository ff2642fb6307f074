#include "child_process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "stopwatch.h"

ChildRun RunChild(const std::vector<std::string>& argv, const std::string& logPath) {
    ChildRun result;
    std::vector<char*> arguments;
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

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
        execvp(arguments[0], arguments.data());
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
