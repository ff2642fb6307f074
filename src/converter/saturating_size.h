// Byte counts of images whose sizes come from untrusted records: products
// and sums that do not fit in 64 bits stay at UINT64_MAX instead of wrapping
// to a small number, so that every size check after them refuses.
#pragma once

#include <cstdint>

inline uint64_t SaturatingMultiply(uint64_t a, uint64_t b) {
    uint64_t product = 0;
    return __builtin_mul_overflow(a, b, &product) ? UINT64_MAX : product;
}

inline uint64_t SaturatingAdd(uint64_t a, uint64_t b) {
    uint64_t sum = 0;
    return __builtin_add_overflow(a, b, &sum) ? UINT64_MAX : sum;
}
