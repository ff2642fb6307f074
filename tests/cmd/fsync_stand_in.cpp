// Loaded into the tool's process with LD_PRELOAD by the tests of durable and
// interrupted writes, in place of the C library's fsync. VOSTREL_TEST_FSYNC
// says what it does:
//   fail-file       fsync of a regular file fails with EIO
//   fail-directory  fsync of a directory fails with EIO
//   hold-file:N     the Nth fsync of a regular file writes one byte to the
//                   descriptor named by VOSTREL_TEST_FSYNC_READY, then waits
//                   for a signal to end the process
// Unset or anything else: the real fsync.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

bool IsDirectory(int descriptor) {
    struct stat status {};
    return fstat(descriptor, &status) == 0 && S_ISDIR(status.st_mode);
}

int RealFsync(int descriptor) {
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    return real(descriptor);
}

void HoldUntilSignalled() {
    const char* ready = std::getenv("VOSTREL_TEST_FSYNC_READY");
    if (ready != nullptr) {
        const char byte = 'R';
        (void)!write(std::atoi(ready), &byte, 1);
    }
    for (;;) {
        pause();
    }
}

}  // namespace

extern "C" int fsync(int descriptor) {
    static int fileSyncs = 0;
    const char* mode = std::getenv("VOSTREL_TEST_FSYNC");
    const bool directory = IsDirectory(descriptor);
    if (mode != nullptr && !directory) {
        if (std::strcmp(mode, "fail-file") == 0) {
            errno = EIO;
            return -1;
        }
        if (std::strncmp(mode, "hold-file:", 10) == 0 && ++fileSyncs == std::atoi(mode + 10)) {
            HoldUntilSignalled();
        }
    }
    if (mode != nullptr && directory && std::strcmp(mode, "fail-directory") == 0) {
        errno = EIO;
        return -1;
    }
    return RealFsync(descriptor);
}
