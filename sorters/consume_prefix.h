#pragma once
// A step of the sorters' small hand-written parsers.

#include <string_view>

namespace orvanta::sorters {

// Skips `prefix` at the front of `text`; false, with `text` unchanged, when it is not there.
inline bool ConsumePrefix(std::string_view& text, std::string_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

}  // namespace orvanta::sorters
