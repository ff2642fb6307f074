#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

namespace {

// The file that the path names in the end: a symbolic link is replaced
// through its target, not turned into a plain file.
std::string ResolveDestination(const char* path) {
    struct stat status {};
    if (lstat(path, &status) == 0 && S_ISLNK(status.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path, resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// The permissions that the destination keeps or, for a new file, the ones
// that creating it directly would have given.
mode_t DestinationMode(const struct stat* existing) {
    if (existing != nullptr) {
        return existing->st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

SafeFile::~SafeFile() { Discard(); }

bool SafeFile::Open(const char* destination) {
    Discard();
    if (destination == nullptr || destination[0] == '\0') {
        return false;
    }
    destination_ = ResolveDestination(destination);
    struct stat existing {};
    const bool exists = stat(destination_.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return false;
    }
    std::filesystem::path directory = std::filesystem::path(destination_).parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    std::string pattern = (directory / ".vostrel-XXXXXX").string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) {
        return false;
    }
    temporary_ = pattern;
    if (fchmod(descriptor, DestinationMode(exists ? &existing : nullptr)) != 0) {
        close(descriptor);
        Discard();
        return false;
    }
    stream_ = fdopen(descriptor, "wb");
    if (stream_ == nullptr) {
        close(descriptor);
        Discard();
        return false;
    }
    return true;
}

bool SafeFile::Write(const void* data, size_t size) {
    if (stream_ == nullptr) {
        return false;
    }
    return size == 0 || std::fwrite(data, 1, size, stream_) == size;
}

bool SafeFile::Commit() {
    if (stream_ == nullptr) {
        return false;
    }
    const bool written = std::fflush(stream_) == 0 && std::ferror(stream_) == 0;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    if (!written || !closed || std::rename(temporary_.c_str(), destination_.c_str()) != 0) {
        Discard();
        return false;
    }
    temporary_.clear();
    return true;
}

void SafeFile::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
}
