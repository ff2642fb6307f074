// The status line's words fitted to a width, and the columns and rows of
// UTF-8 text on a terminal.
#include "status_text.h"

namespace {

bool ContinuesCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

size_t ColumnsOf(std::string_view text) {
    size_t columns = 0;
    for (char byte : text) {
        columns += ContinuesCharacter(byte) ? 0 : 1;
    }
    return columns;
}

bool IsControl(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value < 0x20 || value == 0x7F;
}

// The first count characters of text.
std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end) {
        if (!ContinuesCharacter(text[end]) && seen++ == count) {
            break;
        }
    }
    return text.substr(0, end);
}

// The last count characters of text.
std::string_view LastCharacters(std::string_view text, size_t count) {
    size_t start = text.size();
    for (size_t seen = 0; start > 0 && seen < count;) {
        --start;
        seen += ContinuesCharacter(text[start]) ? 0 : 1;
    }
    return text.substr(start);
}

std::string Printable(std::string_view text) {
    std::string printable(text);
    for (char& byte : printable) {
        byte = IsControl(byte) ? '?' : byte;
    }
    return printable;
}

std::string LevelText(const StatusPosition& position, const char* verb) {
    return std::string(verb) + " level " + std::to_string(position.level + 1) + " of " +
           std::to_string(position.levelCount) + ", " + std::to_string(position.percent) + "%";
}

std::string EntryText(const StatusPosition& position, std::string_view name) {
    return "Entry " + std::to_string(position.entry + 1) + " of " +
           std::to_string(position.entryCount) + " (" + std::string(name) + "): ";
}

}  // namespace

unsigned PercentDone(uint64_t done, uint64_t total) {
    if (done >= total) {
        return 100;
    }
    return static_cast<unsigned>(static_cast<unsigned __int128>(done) * 100 / total);
}

std::string StatusText(const StatusPosition& position, size_t width) {
    if (position.entryCount == 0) {
        return std::string(FirstCharacters(LevelText(position, "Compressing"), width));
    }
    const std::string level = LevelText(position, "compressing");
    const std::string name = Printable(position.fileName);
    const std::string full = EntryText(position, name) + level;
    if (ColumnsOf(full) <= width) {
        return full;
    }
    const std::string ellipsis = "...";
    const size_t fixed = ColumnsOf(EntryText(position, ellipsis) + level);
    const size_t room = width > fixed ? width - fixed : 0;
    const std::string shortened = ellipsis + std::string(LastCharacters(name, room));
    return std::string(FirstCharacters(EntryText(position, shortened) + level, width));
}

std::string_view FileNameOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool CountableText(std::string_view text) {
    for (char byte : text) {
        if (IsControl(byte)) {
            return false;
        }
    }
    return true;
}

std::string_view CursorRowOf(std::string_view text, size_t columns) {
    const size_t newline = text.rfind('\n');
    const std::string_view row =
        newline == std::string_view::npos ? text : text.substr(newline + 1);
    const size_t used = ColumnsOf(row);
    if (used == 0 || columns == 0) {
        return row.substr(row.size());
    }
    return LastCharacters(row, (used - 1) % columns + 1);
}
