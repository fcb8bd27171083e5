#pragma once
// One record with its encoded key, as held in memory and in run files:
// a header of key length and record length (32 bits each, native order), the key, the record.
// An empty stored key means that the record is its own key.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "sorters/byte_search.h"

namespace orvanta::sorters {

inline constexpr std::size_t kItemHeaderBytes = 8;

struct ItemView {
    std::string_view key;
    std::string_view record;
    // The whole item as stored (header, key, record), where it is held in one piece.
    const char* stored = nullptr;
};

inline void WriteItemHeader(char* out, std::uint32_t keyBytes, std::uint32_t recordBytes) {
    std::memcpy(out, &keyBytes, 4);
    std::memcpy(out + 4, &recordBytes, 4);
}

// The item that starts at `item`; `keyIsRecord` when keys are not stored.
inline ItemView ReadItem(const char* item, bool keyIsRecord) {
    std::uint32_t keyBytes = 0;
    std::uint32_t recordBytes = 0;
    std::memcpy(&keyBytes, item, 4);
    std::memcpy(&recordBytes, item + 4, 4);
    const char* key = item + kItemHeaderBytes;
    const std::string_view record(key + keyBytes, recordBytes);
    return {keyIsRecord ? record : std::string_view(key, keyBytes), record, item};
}

inline std::size_t ItemBytes(const ItemView& view, bool keyIsRecord) {
    return kItemHeaderBytes + (keyIsRecord ? 0 : view.key.size()) + view.record.size();
}

// The key's first eight bytes as a big-endian number (zeros past its end), so that most
// comparisons are one integer comparison.
inline std::uint64_t KeyPrefix(std::string_view key) {
    if (key.size() >= 8) {
        return LoadBigEndian64(key.data());
    }
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < key.size(); ++i) {
        prefix |= std::uint64_t{static_cast<unsigned char>(key[i])} << (56 - 8 * i);
    }
    return prefix;
}

// Unsigned bytes, a prefix before its longer text.
inline int CompareKeys(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int order = common == 0 ? 0 : CompareBytes(a.data(), b.data(), common);
    if (order != 0) {
        return order;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace orvanta::sorters
