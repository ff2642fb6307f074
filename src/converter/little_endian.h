// Multi-byte values in image data are little-endian whatever the machine.
#pragma once

#include <cstdint>

// The value formed by the first `count` bytes at data, lowest byte first.
inline uint32_t LoadLittleEndian(const uint8_t* data, uint32_t count) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < count; ++i) {
        value |= uint32_t(data[i]) << (8 * i);
    }
    return value;
}

// Stores the lowest `count` bytes of value at data, lowest byte first.
inline void StoreLittleEndian(uint8_t* data, uint32_t value, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        data[i] = uint8_t(value >> (8 * i));
    }
}
