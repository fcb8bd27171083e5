#include "core/csv_field.h"

#include <cstdint>
#include <cstring>

#include "core/separator_scan.h"

namespace orvanta {
namespace {

constexpr char kQuote = '"';

// Copies the field with each doubled quote taken once, a run up to the next quote at a time.
void CopyCollapsed(std::string_view field, char* out, std::size_t outSize) {
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < field.size() && written + 1 < outSize) {
        const void* quote = std::memchr(field.data() + i, kQuote, field.size() - i);
        const std::size_t runEnd =
            quote != nullptr
                ? static_cast<std::size_t>(static_cast<const char*>(quote) - field.data()) + 1
                : field.size();
        std::size_t run = runEnd - i;
        if (run > outSize - 1 - written) {
            run = outSize - 1 - written;
        }
        std::memcpy(out + written, field.data() + i, run);
        written += run;
        i += run;
        if (quote != nullptr && i == runEnd && i < field.size() && field[i] == kQuote) {
            ++i;
        }
    }
    out[written] = '\0';
}

}  // namespace

std::string_view TrimField(std::string_view field) {
    while (!field.empty() && (field.back() == '\r' || field.back() == '\n')) {
        field.remove_suffix(1);
    }
    while (!field.empty() && field.front() == ' ') {
        field.remove_prefix(1);
    }
    while (!field.empty() && field.back() == ' ') {
        field.remove_suffix(1);
    }
    return field;
}

std::int32_t CountFields(std::string_view record, unsigned char delimiter) {
    if (record.empty()) {
        return 0;
    }
    return static_cast<std::int32_t>(1 + ScanSeparators(record, delimiter, SIZE_MAX).count);
}

std::int32_t CountFieldsCopying(std::string_view record, unsigned char delimiter, char* out) {
    if (record.empty()) {
        return 0;
    }
    return static_cast<std::int32_t>(1 + CountSeparatorsCopying(record, delimiter, out));
}

bool ExtractField(std::int32_t n, std::string_view record, char* out, std::size_t outSize,
                  unsigned char delimiter) {
    if (out == nullptr || outSize == 0) {
        return false;
    }
    out[0] = '\0';
    if (n <= 0 || record.empty()) {
        return false;
    }

    // The flag is off after every separator, so the field ends at the first separator found by
    // a scan that starts where the field does.
    std::size_t fieldStart = 0;
    if (n > 1) {
        const auto before = static_cast<std::size_t>(n - 1);
        const SeparatorScan scan = ScanSeparators(record, delimiter, before);
        if (scan.count < before) {
            return false;
        }
        fieldStart = scan.position + 1;
    }
    const std::size_t fieldEnd =
        fieldStart + ScanSeparators(record.substr(fieldStart), delimiter, 1).position;

    std::string_view field = TrimField(record.substr(fieldStart, fieldEnd - fieldStart));
    if (!field.empty() && field.front() == kQuote && field.back() == kQuote) {
        field.remove_prefix(1);
        if (!field.empty()) {
            field.remove_suffix(1);
        }
    }
    CopyCollapsed(field, out, outSize);
    return true;
}

}  // namespace orvanta
