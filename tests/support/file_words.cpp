// Words of file bytes through the project's byte-order helpers, each offset
// checked against the bytes' size first.
#include "file_words.h"

#include <stdexcept>

#include "byte_order.h"

namespace {

size_t WordStart(const std::vector<uint8_t>& bytes, size_t offset) {
    if (offset > bytes.size() || bytes.size() - offset < 4) {
        throw std::out_of_range("a word past the end of the bytes");
    }
    return offset;
}

}  // namespace

uint32_t Word(const std::vector<uint8_t>& bytes, size_t offset) {
    return LoadLittleEndian32(&bytes[WordStart(bytes, offset)]);
}

void PutWord(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    StoreLittleEndian32(&bytes[WordStart(bytes, offset)], value);
}

void AppendWord(std::vector<uint8_t>& bytes, uint32_t value) {
    bytes.resize(bytes.size() + 4);
    PutWord(bytes, bytes.size() - 4, value);
}
