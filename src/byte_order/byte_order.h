// Multi-byte numbers in byte buffers: every file and block format stores its
// numbers little-endian, except the two words of an ETC1 block, which are
// big-endian. The one place the project turns bytes into numbers and back.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

// The value formed by the first `count` (0 to 4) bytes at bytes, lowest byte first.
inline uint32_t LoadLittleEndian(const uint8_t* bytes, uint32_t count) {
    uint32_t value = 0;
    for (uint32_t i = 0; i < count; ++i) {
        value |= uint32_t{bytes[i]} << (8 * i);
    }
    return value;
}

// Stores the lowest `count` (0 to 4) bytes of value at bytes, lowest byte first.
inline void StoreLittleEndian(uint8_t* bytes, uint32_t value, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline uint16_t LoadLittleEndian16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

inline void StoreLittleEndian16(uint8_t* bytes, uint16_t value) {
    bytes[0] = static_cast<uint8_t>(value);
    bytes[1] = static_cast<uint8_t>(value >> 8);
}

// A plain copy on a little-endian machine: the gathers read pixels this way.
inline uint32_t LoadLittleEndian32(const uint8_t* bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        uint32_t value;
        std::memcpy(&value, bytes, 4);
        return value;
    }
    return LoadLittleEndian(bytes, 4);
}

inline void StoreLittleEndian32(uint8_t* bytes, uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, &value, 4);
    } else {
        StoreLittleEndian(bytes, value, 4);
    }
}

inline uint64_t LoadLittleEndian64(const uint8_t* bytes) {
    return uint64_t{LoadLittleEndian32(bytes)} | uint64_t{LoadLittleEndian32(bytes + 4)} << 32;
}

inline void StoreLittleEndian64(uint8_t* bytes, uint64_t value) {
    StoreLittleEndian32(bytes, static_cast<uint32_t>(value));
    StoreLittleEndian32(bytes + 4, static_cast<uint32_t>(value >> 32));
}

inline uint32_t LoadBigEndian32(const uint8_t* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 |
           uint32_t{bytes[3]};
}

inline void StoreBigEndian32(uint8_t* bytes, uint32_t value) {
    bytes[0] = static_cast<uint8_t>(value >> 24);
    bytes[1] = static_cast<uint8_t>(value >> 16);
    bytes[2] = static_cast<uint8_t>(value >> 8);
    bytes[3] = static_cast<uint8_t>(value);
}
