#include "process.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments) {
    const std::string errPath = TempFile(".err");
    const std::string outPath = TempFile(".out");
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

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
