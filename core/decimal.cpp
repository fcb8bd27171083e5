#include "core/decimal.h"

#include <limits>

namespace orvanta {

std::int32_t ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (magnitude < kLimit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(magnitude >= kLimit ? -kLimit : -magnitude);
    }
    return static_cast<std::int32_t>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}

}  // namespace orvanta
