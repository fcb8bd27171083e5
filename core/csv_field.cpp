#include "core/csv_field.h"

#include <cstring>

namespace orvanta {
namespace {

constexpr char kQuote = '"';

// Plain counting loop, which compilers vectorise.
std::size_t CountByte(const char* data, std::size_t size, char byte) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < size; ++i) {
        count += data[i] == byte ? 1 : 0;
    }
    return count;
}

}  // namespace

std::int32_t CountFields(std::string_view record, unsigned char delimiter) {
    if (record.empty()) {
        return 0;
    }
    const char* data = record.data();
    const std::size_t size = record.size();
    if (delimiter == static_cast<unsigned char>(kQuote)) {
        // Each quote flips the flag before the test, so every second quote separates.
        return static_cast<std::int32_t>(1 + CountByte(data, size, kQuote) / 2);
    }
    // Between two quotes the flag is constant: count whole stretches outside quotes at once.
    std::size_t count = 1;
    bool insideQuotes = false;
    std::size_t position = 0;
    while (position < size) {
        const void* quote = std::memchr(data + position, kQuote, size - position);
        const std::size_t end = quote != nullptr ? static_cast<const char*>(quote) - data : size;
        if (!insideQuotes) {
            count += CountByte(data + position, end - position, static_cast<char>(delimiter));
        }
        insideQuotes = !insideQuotes;
        position = end + 1;
    }
    return static_cast<std::int32_t>(count);
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
