// LoadImage on a fuzzer's file, checked: a format-1 record of the stated
// size on success, a "LoadImage" message on failure.
#pragma once

// A picture that the picture library loads but cannot bring to 32 bits fails
// without a message; silentFailureAllowed admits that for files that may
// reach the library.
void CheckLoadImage(const char* path, bool silentFailureAllowed);
