#pragma once
// What the in-memory sort moves about for each record: the key's first bytes as a number, the
// item itself and its place in the input.

#include <cstdint>

#include "sorters/sort_item.h"

namespace orvanta::sorters {

struct SortEntry {
    std::uint64_t prefix;  // KeyPrefix of the item's key
    const char* item;
    std::uint64_t sequence;  // input order, for stability
};

// Keys, then input order; the prefix decides whenever it differs.
inline bool EntryLess(const SortEntry& a, const SortEntry& b, bool keyIsRecord) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    const int order =
        CompareKeys(ReadItem(a.item, keyIsRecord).key, ReadItem(b.item, keyIsRecord).key);
    return order != 0 ? order < 0 : a.sequence < b.sequence;
}

}  // namespace orvanta::sorters
