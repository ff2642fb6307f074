// Running the tool and other programs as child processes, with standard
// error captured or on a pseudo-terminal.
#include "process.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string TempFile(const char* tag) {
    char name[] = "/tmp/vostrel-proc-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) {
        close(fd);
    }
    return std::string(name) + tag;
}

std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

// The process's environment with TERM replaced by "TERM=" + term.
std::vector<std::string> EnvironmentWithTerm(const char* term) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "TERM=", 5) != 0) {
            environment.emplace_back(*entry);
        }
    }
    environment.push_back(std::string("TERM=") + term);
    return environment;
}

// Everything the other side of the terminal writes, until it is closed.
std::string ReadUntilClosed(int terminal) {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        if (got > 0) {
            bytes.append(buffer, static_cast<size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return bytes;  // EIO once the last descriptor of the other side is closed
        }
    }
}

// In the child of forkpty: output untranslated, standard input and output
// away from the terminal, then the program.
[[noreturn]] void ExecOnTerminal(const std::string& program, std::vector<char*>& argv,
                                 std::vector<char*>& environment) {
    termios settings{};
    if (tcgetattr(STDERR_FILENO, &settings) == 0) {
        settings.c_oflag &= ~tcflag_t(OPOST);
        tcsetattr(STDERR_FILENO, TCSANOW, &settings);
    }
    const int in = open("/dev/null", O_RDONLY);
    const int out = open("/dev/null", O_WRONLY);
    dup2(in, STDIN_FILENO);
    dup2(out, STDOUT_FILENO);
    execve(program.c_str(), argv.data(), environment.data());
    _exit(127);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
    const std::string errPath = TempFile(".err");
    const std::string outPath = TempFile(".out");
    std::vector<char*> argv = ArgumentVector(program, arguments);

    ProcessResult result;
    pid_t pid = fork();
    if (pid == 0) {
        int in = open("/dev/null", O_RDONLY);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(in, STDIN_FILENO);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    result.errorOutput = ReadAll(errPath);
    result.output = ReadAll(outPath);
    std::remove(errPath.c_str());
    std::remove(outPath.c_str());
    std::remove(errPath.substr(0, errPath.size() - 4).c_str());
    std::remove(outPath.substr(0, outPath.size() - 4).c_str());
    return result;
}

ProcessResult RunVostrelCmd(const std::vector<std::string>& arguments) {
    return RunProcess(VOSTREL_CMD_PATH, arguments);
}

ProcessResult RunVostrelCmdOnTerminal(const std::vector<std::string>& arguments,
                                      unsigned short columns, const char* term) {
    const std::string program = VOSTREL_CMD_PATH;
    std::vector<char*> argv = ArgumentVector(program, arguments);
    std::vector<std::string> environment = EnvironmentWithTerm(term);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);

    ProcessResult result;
    winsize size{};
    size.ws_row = 24;
    size.ws_col = columns;
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, nullptr, &size);
    if (pid == 0) {
        ExecOnTerminal(program, argv, envp);
    }
    if (pid < 0) {
        return result;
    }
    result.errorOutput = ReadUntilClosed(terminal);
    close(terminal);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    }
    return result;
}
