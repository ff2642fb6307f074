// Writing an output file so that it appears complete or not at all: the
// bytes go into a new temporary file beside the destination, which replaces
// the destination only once everything was written, flushed to the disk and
// the file closed without error; the directory is flushed after the rename.
// A SafeFile that is not committed removes its temporary file, and so does
// SIGINT or SIGTERM while it is open, once InstallInterruptCleanup ran.
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
    std::FILE* Stream() const { return m_stream; }

    // Appends bytes; false on a short write.
    bool Write(const void* data, size_t size);

    // Flushes the temporary file to the disk, closes it, renames it over the
    // destination and flushes the directory. False, with the temporary file
    // removed and the destination untouched, when any write, the flush, the
    // close or the rename failed; false too when the directory's flush
    // failed, the new file being in place but perhaps not yet on the disk.
    bool Commit();

  private:
    void Discard();

    std::string m_destination;
    std::string m_directory;
    std::string m_temporary;
    int m_cleanupSlot = -1;
    std::FILE* m_stream = nullptr;
};
