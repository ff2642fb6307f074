// Properties a target checks beyond the sanitizers: a broken one aborts, so
// the fuzzer saves the input like any crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// A failure's message: terminated inside the buffer and starting with the
// name of one of the operations that may have failed ("Operation: ").
inline void CheckFailureMessage(const char* message, size_t bufferSize,
                                std::initializer_list<const char*> operations) {
    FUZZ_CHECK(std::memchr(message, '\0', bufferSize) != nullptr);
    for (const char* operation : operations) {
        const size_t length = std::strlen(operation);
        if (std::strncmp(message, operation, length) == 0 && message[length] == ':') {
            return;
        }
    }
    std::fprintf(stderr, "unexpected failure message: \"%s\"\n", message);
    std::abort();
}
