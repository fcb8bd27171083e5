#include "core/sjis.h"

namespace orvanta {

std::optional<std::size_t> FindLastByte(std::string_view text, unsigned char byte) {
    for (std::size_t i = text.size(); i-- > 0;) {
        if (static_cast<unsigned char>(text[i]) != byte) {
            continue;
        }
        if (i == 0 || !IsLeadByte(static_cast<unsigned char>(text[i - 1]))) {
            return i;
        }
        // The byte before has a lead-byte value but may itself be a trail byte: only a walk
        // from the start knows where the pairs lie.
        std::size_t k = 0;
        while (k < i) {
            k += IsLeadByte(static_cast<unsigned char>(text[k])) ? 2 : 1;
        }
        if (k == i) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t CharacterBoundaryPrefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    std::size_t k = 0;
    while (k < limit) {
        std::size_t next = k + (IsLeadByte(static_cast<unsigned char>(text[k])) ? 2 : 1);
        if (next > limit) {
            break;
        }
        k = next;
    }
    return k;
}

}  // namespace orvanta
