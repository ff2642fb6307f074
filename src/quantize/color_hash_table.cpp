// The colour hash table: the bucket of a colour, and chains that grow at
// their head.
#include "color_hash_table.h"

#include <new>

uint32_t ColorHash(const QuantPixel& colour) {
    const uint32_t sum =
        colour.c[0] * 33023u + colour.c[1] * 30013u + colour.c[2] * 27011u + colour.c[3] * 24007u;
    return sum % kColorHashBuckets;
}

ColorHashTable::~ColorHashTable() {
    if (!m_buckets) {
        return;
    }
    for (uint32_t i = 0; i < kColorHashBuckets; ++i) {
        ColorHashNode* node = m_buckets[i];
        while (node != nullptr) {
            ColorHashNode* next = node->next;
            delete node;
            node = next;
        }
    }
}

bool ColorHashTable::Create() {
    m_buckets.reset(new (std::nothrow) ColorHashNode*[kColorHashBuckets]());
    return m_buckets != nullptr;
}

ColorHashNode* ColorHashTable::Find(const QuantPixel& colour) const {
    for (ColorHashNode* node = m_buckets[ColorHash(colour)]; node != nullptr; node = node->next) {
        if (node->colour == colour) {
            return node;
        }
    }
    return nullptr;
}

ColorHashNode* ColorHashTable::Insert(const QuantPixel& colour, uint64_t value) {
    ColorHashNode*& head = m_buckets[ColorHash(colour)];
    ColorHashNode* node = new (std::nothrow) ColorHashNode{colour, value, head};
    if (node != nullptr) {
        head = node;
    }
    return node;
}
