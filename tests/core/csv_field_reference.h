#pragma once
// The field rules as one plain byte loop, against which the record scanner is compared.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta::reference {

// Start and end of every field: a separator is a delimiter byte seen while the quote flag,
// flipped first at every double quote, is off.
struct Bounds {
    std::size_t start;
    std::size_t end;
};

inline bool FieldBounds(std::string_view record, unsigned char delimiter, std::int64_t n,
                        Bounds& bounds) {
    std::int64_t field = 1;
    std::size_t start = 0;
    bool inside = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] == '"') {
            inside = !inside;
        }
        if (!inside && static_cast<unsigned char>(record[i]) == delimiter) {
            if (field == n) {
                bounds = {start, i};
                return true;
            }
            ++field;
            start = i + 1;
        }
    }
    if (field != n || record.empty()) {
        return false;
    }
    bounds = {start, record.size()};
    return true;
}

inline std::int32_t CountFields(std::string_view record, unsigned char delimiter) {
    if (record.empty()) {
        return 0;
    }
    std::int32_t fields = 1;
    bool inside = false;
    for (char byte : record) {
        if (byte == '"') {
            inside = !inside;
        }
        if (!inside && static_cast<unsigned char>(byte) == delimiter) {
            ++fields;
        }
    }
    return fields;
}

// The field's value (trimmed, outer quotes removed, doubled quotes taken once), cut to
// `limit` bytes; false when there is no field n.
inline bool ExtractField(std::int64_t n, std::string_view record, unsigned char delimiter,
                         std::size_t limit, std::string& value) {
    value.clear();
    Bounds bounds{};
    if (n < 1 || !FieldBounds(record, delimiter, n, bounds)) {
        return false;
    }
    std::string_view field = record.substr(bounds.start, bounds.end - bounds.start);
    while (!field.empty() && (field.back() == '\r' || field.back() == '\n')) {
        field.remove_suffix(1);
    }
    while (!field.empty() && field.front() == ' ') {
        field.remove_prefix(1);
    }
    while (!field.empty() && field.back() == ' ') {
        field.remove_suffix(1);
    }
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
        field = field.substr(1, field.size() - 2);
    } else if (field == "\"") {
        field = {};
    }
    for (std::size_t i = 0; i < field.size() && value.size() < limit; ++i) {
        value.push_back(field[i]);
        if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') {
            ++i;
        }
    }
    return true;
}

}  // namespace orvanta::reference
