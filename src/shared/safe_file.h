// Writing an output file so that it appears complete or not at all: the
// bytes go into a new temporary file beside the destination, which replaces
// the destination only once everything was written and the file was closed
// without error. A SafeFile that is not committed removes its temporary file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

class SafeFile {
public:
    SafeFile() = default;
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Creates the temporary file. False when no file can be created for the
    // destination (missing or unwritable directory, destination a directory).
    bool Open(const char* destination);

    // The open temporary file, for writers that hand it to a library.
    std::FILE* Stream() const { return stream_; }

    // Appends bytes; false on a short write.
    bool Write(const void* data, size_t size);

    // Closes the temporary file and renames it over the destination. False,
    // with the temporary file removed and the destination untouched, when
    // any write, the close or the rename failed.
    bool Commit();

private:
    void Discard();

    std::string destination_;
    std::string temporary_;
    std::FILE* stream_ = nullptr;
};
