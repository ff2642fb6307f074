// A heap buffer of exactly the size asked for, never a null pointer (also
// for 0 bytes), so that the address sanitizer reports any access past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

class ExactBuffer {
  public:
    explicit ExactBuffer(size_t size) : bytes_(new uint8_t[size]()), size_(size) {}
    ExactBuffer(const uint8_t* data, size_t size) : ExactBuffer(size) {
        if (size > 0) {
            std::memcpy(bytes_.get(), data, size);
        }
    }

    uint8_t* Data() { return bytes_.get(); }
    const uint8_t* Data() const { return bytes_.get(); }
    size_t Size() const { return size_; }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    size_t size_;
};
