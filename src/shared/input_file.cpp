// A container file opened for reading: a regular file's length and reads at
// given offsets.
#include "input_file.h"

#include <sys/stat.h>

InputFile::~InputFile() {
    if (m_stream != nullptr) {
        std::fclose(m_stream);
    }
}

bool InputFile::Open(const char* path) {
    if (path == nullptr) {
        return false;
    }
    m_stream = std::fopen(path, "rb");
    if (m_stream == nullptr) {
        return false;
    }
    struct stat status {};
    if (fstat(fileno(m_stream), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(m_stream);
        m_stream = nullptr;
        return false;
    }
    m_length = uint64_t(status.st_size);
    return true;
}

size_t InputFile::ReadAt(uint64_t offset, void* bytes, size_t size) {
    if (m_stream == nullptr || offset > uint64_t(INT64_MAX) ||
        fseeko(m_stream, off_t(offset), SEEK_SET) != 0) {
        return 0;
    }
    return std::fread(bytes, 1, size, m_stream);
}
