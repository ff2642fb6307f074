// info's report of a container's description and the readers' verdict, as
// text or as one JSON document.
#include "info_report.h"

#include <algorithm>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>

namespace {

using Json = nlohmann::ordered_json;

constexpr size_t kValueBytesShown = 32;

const char* KindName(ContainerKind kind) {
    return kind == ContainerKind::KTX ? "KTX" : kind == ContainerKind::DDS ? "DDS" : "unknown";
}

// The value as text when it is a NUL-terminated string without control
// characters, as KTX writers store text values.
bool ValueText(const std::vector<uint8_t>& value, std::string* text) {
    if (value.empty() || value.back() != 0) {
        return false;
    }
    for (size_t i = 0; i + 1 < value.size(); ++i) {
        if (value[i] < 0x20 || value[i] == 0x7F) {
            return false;
        }
    }
    text->assign(value.begin(), value.end() - 1);
    return true;
}

std::string HexText(const std::vector<uint8_t>& bytes) {
    std::ostringstream text;
    text << std::hex << std::uppercase << std::setfill('0');
    for (size_t i = 0; i < std::min(bytes.size(), kValueBytesShown); ++i) {
        text << (i == 0 ? "" : " ") << std::setw(2) << unsigned(bytes[i]);
    }
    if (bytes.size() > kValueBytesShown) {
        text << " ...";
    }
    return text.str();
}

// Control characters and DEL as \xNN, so that a hostile key cannot steer
// the terminal.
std::string Printable(const std::string& text) {
    std::ostringstream out;
    for (const char c : text) {
        const auto byte = uint8_t(c);
        if (byte < 0x20 || byte == 0x7F || c == '\\') {
            out << "\\x" << std::hex << std::uppercase << std::setfill('0') << std::setw(2)
                << unsigned(byte) << std::dec;
        } else {
            out << c;
        }
    }
    return out.str();
}

std::string Plural(size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// Appends line without its trailing blanks, then a newline.
void AppendLine(std::ostringstream& text, const std::string& line) {
    text << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
}

void WriteFields(std::ostringstream& text, const ContainerDescription& description) {
    size_t nameWidth = 5;
    size_t valueWidth = 5;
    for (const ContainerField& field : description.fields) {
        nameWidth = std::max(nameWidth, field.name.size());
        valueWidth = std::max(valueWidth, field.text.size());
    }
    auto row = [&](const std::string& offset, const std::string& name, const std::string& value,
                   const std::string& meaning) {
        std::ostringstream line;
        line << "  " << std::setw(6) << offset << "  " << std::left << std::setw(int(nameWidth))
             << name << "  " << std::setw(int(valueWidth)) << value << "  " << meaning;
        AppendLine(text, line.str());
    };
    text << "Header:\n";
    row("offset", "field", "value", "meaning");
    for (const ContainerField& field : description.fields) {
        row(std::to_string(field.offset), field.name, field.present ? field.text : "-",
            field.meaning);
    }
}

void WriteKeyValues(std::ostringstream& text, const ContainerDescription& description) {
    if (description.kind != ContainerKind::KTX) {
        return;
    }
    if (description.keyValues.empty()) {
        text << "Key/value data: none\n";
        return;
    }
    size_t keyWidth = 3;
    for (const ContainerKeyValue& entry : description.keyValues) {
        keyWidth = std::max(keyWidth, Printable(entry.key).size());
    }
    text << "Key/value data (" << Plural(description.keyValues.size(), "entry", "entries")
         << "):\n  " << std::setw(6) << "offset"
         << "  " << std::left << std::setw(int(keyWidth)) << "key"
         << "  value\n"
         << std::right;
    for (const ContainerKeyValue& entry : description.keyValues) {
        std::string value;
        const std::string size = "(" + Plural(entry.value.size(), "byte", "bytes") + ")";
        const std::string shown = ValueText(entry.value, &value) ? "\"" + Printable(value) + "\""
                                  : entry.value.empty()          ? size
                                                        : HexText(entry.value) + " " + size;
        text << "  " << std::setw(6) << entry.offset << "  " << std::left
             << std::setw(int(keyWidth)) << Printable(entry.key) << std::right << "  " << shown
             << "\n";
    }
}

void WriteLevels(std::ostringstream& text, const ContainerDescription& description) {
    if (description.levels.empty()) {
        text << "Levels: none in the file\n";
        return;
    }
    text << "Levels (" << description.levels.size() << "):\n"
         << "  level          size      offset   imageSize    expected\n";
    for (const ContainerLevel& level : description.levels) {
        const std::string size = std::to_string(level.width) + " x " + std::to_string(level.height);
        text << "  " << std::setw(5) << level.index << "  " << std::setw(12) << size << "  "
             << std::setw(10) << level.offset << "  " << std::setw(10)
             << (level.hasImageSize ? std::to_string(level.imageSize) : "-") << "  "
             << std::setw(10) << (level.hasExpectedSize ? std::to_string(level.expectedSize) : "-")
             << (level.complete ? "" : "  cut short") << "\n";
    }
}

}  // namespace

std::string InfoText(const std::string& path, const ContainerDescription& description,
                     const ReaderVerdict& reader) {
    std::ostringstream text;
    text << "File: " << Printable(path) << " (" << KindName(description.kind) << ", "
         << Plural(description.fileSize, "byte", "bytes") << ")\n";
    WriteFields(text, description);
    WriteKeyValues(text, description);
    WriteLevels(text, description);
    if (!description.notes.empty()) {
        text << "Notes:\n";
        for (const std::string& note : description.notes) {
            text << "  " << note << "\n";
        }
    }
    if (description.Conforms()) {
        text << "Verdict: conforms to " << description.standard << "\n";
    } else {
        text << "Verdict: does not conform to " << description.standard << " ("
             << Plural(description.deviations.size(), "deviation", "deviations") << "):\n";
        for (const std::string& deviation : description.deviations) {
            text << "  " << deviation << "\n";
        }
    }
    text << "VostrelCmd's reader: ";
    if (reader.reads) {
        text << "reads " << Plural(reader.levelsRead, "level", "levels") << "\n";
    } else {
        text << "refuses it: " << reader.message << "\n";
    }
    return text.str();
}

std::string InfoJson(const std::string& path, const ContainerDescription& description,
                     const ReaderVerdict& reader) {
    Json document;
    document["file"] = path;
    document["container"] = KindName(description.kind);
    document["file_size"] = description.fileSize;
    if (description.format != 0) {
        document["format"] = {{"code", description.format},
                              {"name", ContainerFormatName(description.format)}};
    } else {
        document["format"] = nullptr;
    }
    Json header = Json::object();
    for (const ContainerField& field : description.fields) {
        Json entry = {{"offset", field.offset}, {"size", field.size}};
        if (!field.present) {
            entry["value"] = nullptr;
        } else if (field.numeric) {
            entry["value"] = field.value;
        } else {
            entry["value"] = field.text;
        }
        entry["meaning"] = field.meaning;
        header[field.name] = std::move(entry);
    }
    document["header"] = std::move(header);
    Json keyValues = Json::array();
    for (const ContainerKeyValue& entry : description.keyValues) {
        Json item = {{"offset", entry.offset}, {"key", entry.key}};
        std::string value;
        if (ValueText(entry.value, &value)) {
            item["text"] = value;
        } else {
            item["bytes"] = entry.value;
        }
        keyValues.push_back(std::move(item));
    }
    document["key_values"] = std::move(keyValues);
    Json levels = Json::array();
    for (const ContainerLevel& level : description.levels) {
        Json item = {{"level", level.index},
                     {"width", level.width},
                     {"height", level.height},
                     {"offset", level.offset}};
        item["image_size"] = level.hasImageSize ? Json(level.imageSize) : Json(nullptr);
        item["expected_size"] = level.hasExpectedSize ? Json(level.expectedSize) : Json(nullptr);
        item["complete"] = level.complete;
        levels.push_back(std::move(item));
    }
    document["levels"] = std::move(levels);
    document["notes"] = description.notes;
    document["standard"] = description.standard;
    document["conforms"] = description.Conforms();
    document["deviations"] = description.deviations;
    document["readable"] = reader.reads;
    document["levels_read"] = reader.levelsRead;
    document["reader_message"] = reader.reads ? Json(nullptr) : Json(reader.message);
    // Keys from hostile files need not be UTF-8: such bytes become U+FFFD.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
