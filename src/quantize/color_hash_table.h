// A colour-keyed hash table of a fixed 20023 buckets, each a singly linked
// chain with the newest colour at its head. It counts colours for the
// histogram and caches palette look-ups for the mapping.
#pragma once

#include <cstdint>
#include <memory>

// Four channel bytes: 0, 1, 2 (colour) and 3 (alpha).
struct QuantPixel {
    uint8_t c[4];
};

inline bool operator==(const QuantPixel& a, const QuantPixel& b) {
    return a.c[0] == b.c[0] && a.c[1] == b.c[1] && a.c[2] == b.c[2] && a.c[3] == b.c[3];
}

constexpr uint32_t kColorHashBuckets = 20023;

// The bucket of a colour.
uint32_t ColorHash(const QuantPixel& colour);

struct ColorHashNode {
    QuantPixel colour;
    uint64_t value;
    ColorHashNode* next;
};

class ColorHashTable {
  public:
    ColorHashTable() = default;
    ~ColorHashTable();
    ColorHashTable(const ColorHashTable&) = delete;
    ColorHashTable& operator=(const ColorHashTable&) = delete;

    // Makes the empty buckets; false when memory runs out.
    bool Create();
    // The node holding colour, or null.
    ColorHashNode* Find(const QuantPixel& colour) const;
    // Puts a new node at the head of the colour's chain; null when memory
    // runs out.
    ColorHashNode* Insert(const QuantPixel& colour, uint64_t value);
    // The head of a bucket's chain, or null.
    const ColorHashNode* Bucket(uint32_t index) const { return m_buckets[index]; }

  private:
    std::unique_ptr<ColorHashNode*[]> m_buckets;
};
