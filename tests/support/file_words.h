// The little-endian 32-bit words of a file's bytes, for tests that pick a
// container file apart or patch one: a word that would run past the end is
// refused with std::out_of_range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset);
void PutWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
void AppendWord(std::vector<uint8_t>& bytes, uint32_t value);
