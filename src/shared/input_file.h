// Reading a container file: its length and byte ranges at given offsets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens the file for binary reading and finds its length.
    bool Open(const char* path);

    uint64_t Length() const { return m_length; }

    // Reads up to size bytes at offset into bytes; returns how many were read.
    size_t ReadAt(uint64_t offset, void* bytes, size_t size);

  private:
    std::FILE* m_stream = nullptr;
    uint64_t m_length = 0;
};
