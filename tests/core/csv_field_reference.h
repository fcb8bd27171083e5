#pragma once
// The field rules as one plain byte loop, against which the record scanner is compared.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta::reference {

// Positions of the separators: delimiter bytes seen while the quote flag, flipped first at
// every double quote, is off.
inline std::vector<std::size_t> Separators(std::string_view record, unsigned char delimiter) {
    std::vector<std::size_t> positions;
    bool inside = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] == '"') {
            inside = !inside;
        }
        if (!inside && static_cast<unsigned char>(record[i]) == delimiter) {
            positions.push_back(i);
        }
    }
    return positions;
}

inline std::int32_t CountFields(std::string_view record, unsigned char delimiter) {
    if (record.empty()) {
        return 0;
    }
    return static_cast<std::int32_t>(1 + Separators(record, delimiter).size());
}

// The value of field n (trimmed, outer quotes removed, doubled quotes taken once), cut to
// `limit` bytes; false when there is no field n.
inline bool ExtractField(std::int64_t n, std::string_view record, unsigned char delimiter,
                         std::size_t limit, std::string& value) {
    value.clear();
    const std::vector<std::size_t> separators = Separators(record, delimiter);
    const auto fields = static_cast<std::int64_t>(separators.size()) + 1;
    if (record.empty() || n < 1 || n > fields) {
        return false;
    }
    const std::size_t start = n == 1 ? 0 : separators[n - 2] + 1;
    const std::size_t end = n == fields ? record.size() : separators[n - 1];
    std::string_view field = record.substr(start, end - start);
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
