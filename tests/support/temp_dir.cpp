// A fresh temporary directory per test, removed afterwards.
#include "temp_dir.h"

#include <cstdlib>

TempDir::TempDir() {
    char pattern[] = "/tmp/vostrel-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::abort();
    }
    m_path = made;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}
