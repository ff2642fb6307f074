// SafeFile: a temporary file beside the destination, flushed and renamed
// over it only once everything was written.
#include "safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>

#include "interrupt_cleanup.h"

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

// Flushes a directory's entries, the new name among them, to the disk. A
// directory that cannot be opened for reading (write and search permission
// only) cannot be flushed and is left as it is; a file system without
// directory flushes answers EINVAL.
bool SyncDirectory(const std::string& directory) {
    const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return true;
    }
    const bool synced = fsync(descriptor) == 0 || errno == EINVAL;
    close(descriptor);
    return synced;
}

}  // namespace

SafeFile::~SafeFile() { Discard(); }

bool SafeFile::Open(const char* destination) {
    Discard();
    if (destination == nullptr || destination[0] == '\0') {
        return false;
    }
    m_destination = ResolveDestination(destination);
    struct stat existing {};
    const bool exists = stat(m_destination.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return false;
    }
    std::filesystem::path directory = std::filesystem::path(m_destination).parent_path();
    if (directory.empty()) {
        directory = ".";
    }
    m_directory = directory.string();
    std::string pattern = (directory / ".vostrel-XXXXXX").string();
    int descriptor = -1;
    {
        // No signal between the file's creation and its recording.
        InterruptDeferral deferral;
        descriptor = mkstemp(pattern.data());
        if (descriptor < 0) {
            return false;
        }
        m_temporary = pattern;
        m_cleanupSlot = RecordTemporaryFile(m_temporary.c_str());
    }
    if (fchmod(descriptor, DestinationMode(exists ? &existing : nullptr)) != 0) {
        close(descriptor);
        Discard();
        return false;
    }
    m_stream = fdopen(descriptor, "wb");
    if (m_stream == nullptr) {
        close(descriptor);
        Discard();
        return false;
    }
    return true;
}

bool SafeFile::Write(const void* data, size_t size) {
    if (m_stream == nullptr) {
        return false;
    }
    return size == 0 || std::fwrite(data, 1, size, m_stream) == size;
}

bool SafeFile::Commit() {
    if (m_stream == nullptr) {
        return false;
    }
    const bool written =
        std::fflush(m_stream) == 0 && std::ferror(m_stream) == 0 && fsync(fileno(m_stream)) == 0;
    const bool closed = std::fclose(m_stream) == 0;
    m_stream = nullptr;
    if (!written || !closed) {
        Discard();
        return false;
    }
    bool renamed = false;
    {
        // The name stays recorded until the rename is done, so that a signal
        // taken on another thread meanwhile still removes it if the rename
        // has not happened; this thread takes its signals after the release.
        InterruptDeferral deferral;
        renamed = std::rename(m_temporary.c_str(), m_destination.c_str()) == 0;
        if (renamed) {
            ReleaseTemporaryFile(m_cleanupSlot);
            m_cleanupSlot = -1;
            m_temporary.clear();
        }
    }
    if (!renamed) {
        Discard();
        return false;
    }
    return SyncDirectory(m_directory);
}

void SafeFile::Discard() {
    if (m_stream != nullptr) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_temporary.empty()) {
        InterruptDeferral deferral;
        unlink(m_temporary.c_str());
        ReleaseTemporaryFile(m_cleanupSlot);
        m_cleanupSlot = -1;
        m_temporary.clear();
    }
}
