#include "sorters/key_encoder.h"

#include <cstdint>
#include <cstring>

#include "core/sjis.h"
#include "sorters/byte_search.h"

namespace orvanta::sorters {
namespace {

// String keys: 0x00 and 0x01 are escaped behind 0x01 so that 0x00 can end the key.
constexpr char kEscape = 0x01;
constexpr char kStringEnd = 0x00;

// Number keys start with a class byte, so a key without a number sorts first and the sign
// decides before the digits.
constexpr char kNoNumber = 0x00;
constexpr char kNegative = 0x01;
constexpr char kZero = 0x02;
constexpr char kPositive = 0x03;
constexpr char kDigitsEnd = 0x00;  // below every digit, so 1.5 sorts before 1.55

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void InvertFrom(std::string& key, std::size_t start) {
    for (std::size_t i = start; i < key.size(); ++i) {
        key[i] = static_cast<char>(~static_cast<unsigned char>(key[i]));
    }
}

// True when the byte at `column` is the second byte of a two-byte character.
bool IsTrailByteAt(std::string_view record, std::size_t column) {
    std::size_t i = 0;
    while (i < column) {
        i += IsLeadByte(static_cast<unsigned char>(record[i])) ? 2 : 1;
    }
    return i > column;
}

// Whether a byte of `text` is 0x00 or 0x01, which the key must escape.
bool NeedsEscape(std::string_view text) {
    const char* end = text.data() + text.size();
    return FindByte(text.data(), end, '\x00') != end || FindByte(text.data(), end, '\x01') != end;
}

}  // namespace

void AppendStringKey(std::string_view text, bool fold, bool startsInTrailByte, std::string& key) {
    // Most keys need neither folding nor escapes: their bytes go as they are.
    if (!fold && !NeedsEscape(text)) {
        key.append(text);
        key.push_back(kStringEnd);
        return;
    }
    // Room for the worst case, every byte escaped, then cut to what was written.
    const std::size_t start = key.size();
    key.resize(start + 2 * text.size() + 1);
    char* out = key.data() + start;
    bool trail = startsInTrailByte;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (fold) {
            if (trail) {
                trail = false;
            } else if (IsLeadByte(byte)) {
                trail = true;
            } else if (c >= 'a' && c <= 'z') {
                c = static_cast<char>(c - 'a' + 'A');
            }
        }
        if (byte <= 0x01) {
            *out++ = kEscape;
            c = static_cast<char>(byte + 1);
        }
        *out++ = c;
    }
    *out++ = kStringEnd;
    key.resize(static_cast<std::size_t>(out - key.data()));
}

void AppendNumberKeyDigitByDigit(std::string_view text, bool commas, std::string& key) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size() || !IsDigit(text[i])) {
        key.push_back(kNoNumber);
        return;
    }

    // Integer digits without leading zeros, then fraction digits without trailing zeros.
    std::string digits;
    for (; i < text.size(); ++i) {
        if (IsDigit(text[i])) {
            if (!digits.empty() || text[i] != '0') {
                digits.push_back(text[i]);
            }
        } else if (!(commas && text[i] == ',' && i + 1 < text.size() && IsDigit(text[i + 1]))) {
            break;
        }
    }
    const std::size_t integerDigits = digits.size();
    if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            digits.push_back(text[i]);
        }
        while (digits.size() > integerDigits && digits.back() == '0') {
            digits.pop_back();
        }
    }
    // A fraction of zeros is gone, so only a true zero has no digits left; -0 equals 0.
    if (digits.empty() || digits.find_first_not_of('0') == std::string::npos) {
        key.push_back(kZero);
        return;
    }

    key.push_back(negative ? kNegative : kPositive);
    const std::size_t start = key.size();
    const auto count = static_cast<std::uint32_t>(integerDigits);
    for (int shift = 24; shift >= 0; shift -= 8) {
        key.push_back(static_cast<char>((count >> shift) & 0xFF));
    }
    key += digits;
    key.push_back(kDigitsEnd);
    // A larger magnitude is a smaller negative number.
    if (negative) {
        InvertFrom(key, start);
    }
}

void AppendNumberKey(std::string_view text, bool commas, std::string& key) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    // Most numbers are plain integers, whose digits go into the key as they stand; whatever
    // could continue the number is read digit by digit.
    if (end == i || (end < text.size() && (text[end] == '.' || (commas && text[end] == ',')))) {
        AppendNumberKeyDigitByDigit(text, commas, key);
        return;
    }
    std::size_t first = i;
    while (first < end && text[first] == '0') {
        ++first;
    }
    if (first == end) {
        key.push_back(kZero);
        return;
    }
    const auto count = static_cast<std::uint32_t>(end - first);
    const char head[5] = {negative ? kNegative : kPositive, static_cast<char>(count >> 24),
                          static_cast<char>(count >> 16), static_cast<char>(count >> 8),
                          static_cast<char>(count)};
    const std::size_t start = key.size() + 1;
    key.append(head, sizeof head);
    key.append(text.substr(first, end - first));
    key.push_back(kDigitsEnd);
    if (negative) {
        InvertFrom(key, start);
    }
}

KeyEncoder::KeyEncoder(const SortJob& job)
    : job_(job), keyIsRecord_(job.keys.empty() && !job.ignoreCase && !job.utf16) {}

void KeyEncoder::Encode(std::string_view record, std::string& key, bool mayHoldQuote) {
    if (job_.keys.empty()) {
        AppendStringKey(record, job_.ignoreCase, false, key);
        return;
    }
    for (const KeyTerm& term : job_.keys) {
        EncodeTerm(term, record, mayHoldQuote, key);
    }
}

void KeyEncoder::EncodeTerm(const KeyTerm& term, std::string_view record, bool mayHoldQuote,
                            std::string& key) {
    std::string_view value;
    bool startsInTrailByte = false;
    if (job_.kind == SorterKind::Csv) {
        // A missing field is an empty key.
        value = field_.Value(record, term.position, job_.delimiter, mayHoldQuote);
        if (term.type == KeyType::String) {
            value = value.substr(0, static_cast<std::size_t>(term.length));
        }
    } else {
        const auto start = static_cast<std::size_t>(term.position - 1);
        if (start < record.size()) {
            value = record.substr(start, static_cast<std::size_t>(term.length));
            startsInTrailByte = job_.ignoreCase && IsTrailByteAt(record, start);
        }
    }

    const std::size_t begin = key.size();
    if (term.type == KeyType::String) {
        AppendStringKey(value, job_.ignoreCase, startsInTrailByte, key);
    } else {
        AppendNumberKey(value, term.type == KeyType::CommaNumber, key);
    }
    if (term.descending) {
        InvertFrom(key, begin);
    }
}

}  // namespace orvanta::sorters
