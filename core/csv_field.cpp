#include "core/csv_field.h"

namespace orvanta {
namespace {

constexpr char kQuote = '"';

}  // namespace

std::int32_t CountFields(std::string_view record, unsigned char delimiter) {
    if (record.empty()) {
        return 0;
    }
    std::int32_t count = 1;
    bool insideQuotes = false;
    for (char c : record) {
        if (c == kQuote) {
            insideQuotes = !insideQuotes;
        }
        if (!insideQuotes && static_cast<unsigned char>(c) == delimiter) {
            ++count;
        }
    }
    return count;
}

bool ExtractField(std::int32_t n, std::string_view record, char* out, std::size_t outSize,
                  unsigned char delimiter) {
    if (out == nullptr || outSize == 0) {
        return false;
    }
    out[0] = '\0';
    if (n == 0 || record.empty()) {
        return false;
    }

    std::int64_t separators = 0;
    std::size_t fieldStart = 0;
    std::size_t fieldEnd = record.size();
    bool found = false;
    bool insideQuotes = false;
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (record[i] == kQuote) {
            insideQuotes = !insideQuotes;
        }
        if (insideQuotes || static_cast<unsigned char>(record[i]) != delimiter) {
            continue;
        }
        ++separators;
        if (separators == n) {
            fieldEnd = i;
            found = true;
            break;
        }
        fieldStart = i + 1;
    }
    if (!found && n != separators + 1) {
        return false;
    }

    std::string_view field = record.substr(fieldStart, fieldEnd - fieldStart);
    while (!field.empty() && (field.back() == '\r' || field.back() == '\n')) {
        field.remove_suffix(1);
    }
    while (!field.empty() && field.front() == ' ') {
        field.remove_prefix(1);
    }
    while (!field.empty() && field.back() == ' ') {
        field.remove_suffix(1);
    }
    if (!field.empty() && field.front() == kQuote && field.back() == kQuote) {
        field.remove_prefix(1);
        if (!field.empty()) {
            field.remove_suffix(1);
        }
    }

    std::size_t written = 0;
    for (std::size_t i = 0; i < field.size() && written + 1 < outSize; ++i) {
        out[written++] = field[i];
        if (field[i] == kQuote && i + 1 < field.size() && field[i + 1] == kQuote) {
            ++i;
        }
    }
    out[written] = '\0';
    return true;
}

}  // namespace orvanta
