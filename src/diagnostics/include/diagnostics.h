// The warnings and error lines that the libraries write to standard error
// themselves, all through one path, so that a program that draws on the
// terminal can make room first: its hook sees each text just before the
// text is written. Without a hook a text goes out exactly as fputs or
// fprintf would write it.
#pragma once

#include <cstddef>

namespace diagnostics {

// Called with the text of one message before it is written, on the thread
// that writes it. Messages are written one at a time, the hook's call
// included.
using Hook = void (*)(void* context, const char* text);

// Installs the hook; a null function removes it.
void SetHook(Hook hook, void* context);

// Writes text to standard error.
void Write(const char* text);

// A formatted text longer than this, less one, is written in full, but the
// hook sees only its first kHookTextBytes - 1 bytes: formatting needs no
// allocation, so that an out-of-memory message can still be written.
constexpr size_t kHookTextBytes = 1024;

// Formats as printf does, then writes the result as Write does.
void Print(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace diagnostics
