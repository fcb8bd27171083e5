#pragma once
// Marks every so many items of a run file, taken while it is written: where the item lies and
// how many items and record bytes come before it. The final merge looks up where to cut the
// runs in two with them, and what the first half's output comes to.

#include <cstdint>
#include <vector>

namespace orvanta::sorters {

struct RunMark {
    std::uint64_t offset = 0;       // of the item in the run file
    std::uint64_t items = 0;        // before it
    std::uint64_t recordBytes = 0;  // of the records before it
};

struct RunIndex {
    // Few enough marks to cost nothing in memory, close enough that a lookup reads little.
    static constexpr std::uint64_t kItemsPerMark = 1024;
    std::vector<RunMark> marks;  // the first at item 0, once the run holds an item
};

}  // namespace orvanta::sorters
