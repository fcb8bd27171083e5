#include "sorters/csv_key_field.h"

#include <cstring>

#include "core/csv_field.h"

namespace orvanta::sorters {
namespace {

// Field n of a record without quotes: its bytes between delimiters, trimmed as the extraction
// trims (line-end bytes at the end, then blanks at both ends).
std::string_view QuoteFreeField(std::string_view record, std::int32_t n, char delimiter) {
    const char* begin = record.data();
    const char* end = record.data() + record.size();
    for (std::int32_t skipped = 1; skipped < n; ++skipped) {
        const void* next = std::memchr(begin, delimiter, static_cast<std::size_t>(end - begin));
        if (next == nullptr) {
            return {};
        }
        begin = static_cast<const char*>(next) + 1;
    }
    const void* fieldEnd = std::memchr(begin, delimiter, static_cast<std::size_t>(end - begin));
    if (fieldEnd != nullptr) {
        end = static_cast<const char*>(fieldEnd);
    }
    return TrimField(std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

// A field is short: a plain loop beats a search call.
std::string_view UpToNul(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size() && text[length] != '\0') {
        ++length;
    }
    return text.substr(0, length);
}

}  // namespace

std::string_view ExtractedKeyField(std::string_view record, std::int32_t n, unsigned char delimiter,
                                   std::string& store) {
    if (store.size() < record.size() + 1) {
        store.resize(record.size() + 1);
    }
    ExtractField(n, record, store.data(), store.size(), delimiter);
    return store.data();
}

std::string_view CsvKeyField::Value(std::string_view record, std::int32_t n,
                                    unsigned char delimiter, bool mayHoldQuote) {
    if (record.empty() ||
        (mayHoldQuote && std::memchr(record.data(), '"', record.size()) != nullptr)) {
        return ExtractedKeyField(record, n, delimiter, store_);
    }
    return UpToNul(QuoteFreeField(record, n, static_cast<char>(delimiter)));
}

}  // namespace orvanta::sorters
