// Pieces that the KTX and DDS descriptions share: number and byte texts,
// format names, level sizes that cannot overflow, and the readers of the two
// containers' headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "container_description.h"
#include "input_file.h"

// printf into a string.
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "0x8D64", at least digits hexadecimal digits.
std::string HexWord(uint32_t value, int digits = 4);

// "AB 4B 54 58".
std::string HexBytes(const uint8_t* bytes, size_t count);

// Bytes that planes planes of a width x height level of a container format
// hold, saturated at UINT64_MAX; false for a format outside the table.
bool SaturatedLevelBytes(uint32_t format, uint32_t width, uint32_t height, uint64_t planes,
                         uint64_t* bytes);

// a * b, saturated at UINT64_MAX.
uint64_t SaturatedProduct(uint64_t a, uint64_t b);

// Fill description for a file whose first bytes name the container.
void DescribeKTX(InputFile& file, ContainerDescription* description);
void DescribeDDS(InputFile& file, ContainerDescription* description);
