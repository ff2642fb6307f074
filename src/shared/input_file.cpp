#include "input_file.h"

#include <sys/stat.h>

InputFile::~InputFile() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
    }
}

bool InputFile::Open(const char* path) {
    if (path == nullptr) {
        return false;
    }
    stream_ = std::fopen(path, "rb");
    if (stream_ == nullptr) {
        return false;
    }
    struct stat status {};
    if (fstat(fileno(stream_), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(stream_);
        stream_ = nullptr;
        return false;
    }
    length_ = uint64_t(status.st_size);
    return true;
}

size_t InputFile::ReadAt(uint64_t offset, void* bytes, size_t size) {
    if (stream_ == nullptr || offset > uint64_t(INT64_MAX) ||
        fseeko(stream_, off_t(offset), SEEK_SET) != 0) {
        return 0;
    }
    return std::fread(bytes, 1, size, stream_);
}
