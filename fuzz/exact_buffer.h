// A heap buffer of exactly the size asked for, never a null pointer (also
// for 0 bytes), so that the address sanitizer reports any access past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

class ExactBuffer {
  public:
    explicit ExactBuffer(size_t size) : m_bytes(new uint8_t[size]()), m_size(size) {}
    ExactBuffer(const uint8_t* data, size_t size) : ExactBuffer(size) {
        if (size > 0) {
            std::memcpy(m_bytes.get(), data, size);
        }
    }

    uint8_t* Data() { return m_bytes.get(); }
    const uint8_t* Data() const { return m_bytes.get(); }
    size_t Size() const { return m_size; }

  private:
    std::unique_ptr<uint8_t[]> m_bytes;
    size_t m_size;
};
