#include "terminal_screen.h"

namespace {

// The screen as cells of one character each.
class Cells {
  public:
    explicit Cells(size_t columns) : columns_(columns), rows_(1) {}

    void Put(std::string_view character) {
        if (column_ == columns_) {
            NewRow();
        }
        std::vector<std::string>& row = rows_[row_];
        if (row.size() <= column_) {
            row.resize(column_ + 1, " ");
        }
        row[column_++] = std::string(character);
    }
    void NewRow() {
        ++row_;
        column_ = 0;
        if (rows_.size() <= row_) {
            rows_.resize(row_ + 1);
        }
    }
    void Return() { column_ = 0; }
    // A cursor waiting to wrap stands on the last column.
    void EraseRest() {
        std::vector<std::string>& row = rows_[row_];
        const size_t from = column_ == columns_ ? columns_ - 1 : column_;
        if (row.size() > from) {
            row.resize(from);
        }
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const std::vector<std::string>& cells : rows_) {
            std::string& text = rows.emplace_back();
            for (const std::string& cell : cells) {
                text += cell;
            }
        }
        return rows;
    }

  private:
    size_t columns_;
    std::vector<std::vector<std::string>> rows_;
    size_t row_ = 0;
    size_t column_ = 0;
};

size_t CharacterLength(std::string_view bytes, size_t at) {
    size_t length = 1;
    while (at + length < bytes.size() &&
           (static_cast<unsigned char>(bytes[at + length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

}  // namespace

Screen ShowOnTerminal(std::string_view bytes, size_t columns) {
    constexpr std::string_view kEraseRest = "\033[K";
    Cells cells(columns);
    Screen screen;
    for (size_t at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (bytes.substr(at, kEraseRest.size()) == kEraseRest) {
            cells.EraseRest();
            at += kEraseRest.size();
        } else if (byte == '\n' || byte == '\r') {
            byte == '\n' ? cells.NewRow() : cells.Return();
            ++at;
        } else if (byte < 0x20 || byte == 0x7F) {
            screen.understood = false;
            ++at;
        } else {
            const size_t length = CharacterLength(bytes, at);
            cells.Put(bytes.substr(at, length));
            at += length;
        }
    }
    screen.rows = cells.Rows();
    return screen;
}
