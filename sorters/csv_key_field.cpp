#include "sorters/csv_key_field.h"

#include <cstring>

#include "core/csv_field.h"
#include "sorters/byte_search.h"

namespace orvanta::sorters {
namespace {

// Field n of a record without quotes: its bytes between delimiters, trimmed as the extraction
// trims (line-end bytes at the end, then blanks at both ends).
std::string_view QuoteFreeField(std::string_view record, std::int32_t n, char delimiter) {
    const char* begin = record.data();
    const char* const end = record.data() + record.size();
    for (std::int32_t skipped = 1; skipped < n; ++skipped) {
        const char* next = FindByte(begin, end, delimiter);
        if (next == end) {
            return {};
        }
        begin = next + 1;
    }
    const char* fieldEnd = FindByte(begin, end, delimiter);
    return TrimField(std::string_view(begin, static_cast<std::size_t>(fieldEnd - begin)));
}

std::string_view UpToNul(std::string_view text) {
    const char* nul = FindByte(text.data(), text.data() + text.size(), '\0');
    return text.substr(0, static_cast<std::size_t>(nul - text.data()));
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
    if (record.empty() || (mayHoldQuote && FindByte(record.data(), record.data() + record.size(),
                                                    '"') != record.data() + record.size())) {
        return ExtractedKeyField(record, n, delimiter, store_);
    }
    return UpToNul(QuoteFreeField(record, n, static_cast<char>(delimiter)));
}

}  // namespace orvanta::sorters
