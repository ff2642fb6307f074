// TerminalScreen: the bytes that VostrelCmd writes to a terminal played on a
// grid of cells, as far as the status line's control sequences go.
#include "terminal_screen.h"

namespace {

// The screen as cells of one character each.
class Cells {
  public:
    explicit Cells(size_t columns) : m_columns(columns), m_rows(1) {}

    void Put(std::string_view character) {
        if (m_column == m_columns) {
            NewRow();
        }
        std::vector<std::string>& row = m_rows[m_row];
        if (row.size() <= m_column) {
            row.resize(m_column + 1, " ");
        }
        row[m_column++] = std::string(character);
    }
    void NewRow() {
        ++m_row;
        m_column = 0;
        if (m_rows.size() <= m_row) {
            m_rows.resize(m_row + 1);
        }
    }
    void Return() { m_column = 0; }
    // A cursor waiting to wrap stands on the last column.
    void EraseRest() {
        std::vector<std::string>& row = m_rows[m_row];
        const size_t from = m_column == m_columns ? m_columns - 1 : m_column;
        if (row.size() > from) {
            row.resize(from);
        }
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (const std::vector<std::string>& cells : m_rows) {
            std::string& text = rows.emplace_back();
            for (const std::string& cell : cells) {
                text += cell;
            }
        }
        return rows;
    }

  private:
    size_t m_columns;
    std::vector<std::vector<std::string>> m_rows;
    size_t m_row = 0;
    size_t m_column = 0;
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
