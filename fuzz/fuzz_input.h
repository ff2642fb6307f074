// Reads the fuzzer's bytes as a stream of small decisions; past the end every
// read gives zeros, so every input, however short, is a complete case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte();
    uint32_t Word();
    // A value in [low, high], from one byte.
    int32_t Range(int32_t low, int32_t high);
    bool Bit() { return (Byte() & 1) != 0; }

    // Everything not read yet.
    std::vector<uint8_t> Rest();
    // count bytes repeating the unread rest (zeros when nothing is left).
    std::vector<uint8_t> RestRepeated(size_t count);

  private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

// The fuzz entry point, defined by each target.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
