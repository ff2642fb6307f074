#include "fuzz_input.h"

uint8_t FuzzInput::Byte() { return m_offset < m_size ? m_data[m_offset++] : 0; }

uint32_t FuzzInput::Word() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= uint32_t(Byte()) << (8 * i);
    }
    return value;
}

int32_t FuzzInput::Range(int32_t low, int32_t high) {
    const uint32_t span = uint32_t(high - low) + 1;
    return low + int32_t(Byte() % span);
}

std::vector<uint8_t> FuzzInput::Rest() {
    std::vector<uint8_t> rest(m_data + m_offset, m_data + m_size);
    m_offset = m_size;
    return rest;
}

std::vector<uint8_t> FuzzInput::RestRepeated(size_t count) {
    const std::vector<uint8_t> rest = Rest();
    std::vector<uint8_t> bytes(count, 0);
    if (!rest.empty()) {
        for (size_t i = 0; i < count; ++i) {
            bytes[i] = rest[i % rest.size()];
        }
    }
    return bytes;
}
