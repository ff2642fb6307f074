// RequireReadableFile: an input opened once up front, so that its own
// reason for failing is the one reported.
#include "file_access.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "failure.h"

void RequireReadableFile(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        throw Failure(path, std::strerror(errno));
    }
    struct stat status {};
    const bool directory = fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
    std::fclose(file);
    if (directory) {
        throw Failure(path, std::strerror(EISDIR));
    }
}
