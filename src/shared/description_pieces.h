// Pieces that the KTX and DDS describers share: number and byte texts, and
// level sizes that cannot overflow. ContainerFormatName, the third piece, is
// public: container_description.h declares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// printf into a string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "0x8D64", at least digits hexadecimal digits.
std::string HexWord(uint32_t value, int digits = 4);

// "AB 4B 54 58".
std::string HexBytes(const uint8_t* bytes, size_t count);

// a * b, saturated at UINT64_MAX.
uint64_t SaturatedProduct(uint64_t a, uint64_t b);

// Bytes that planes planes of a width x height level of a container format
// hold, saturated at UINT64_MAX; false for a format outside the table.
bool SaturatedLevelBytes(uint32_t format, uint32_t width, uint32_t height, uint64_t planes,
                         uint64_t* bytes);
