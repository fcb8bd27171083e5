#include "sorters/prefix_sort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <utility>

#include "sorters/prefetch.h"

namespace orvanta::sorters {
namespace {

constexpr int kPrefixBytes = 8;
// Groups this small are sorted by comparison: counting 256 buckets would cost more.
constexpr std::ptrdiff_t kComparisonSortBelow = 64;
// Below this many entries one thread sorts faster than two.
constexpr std::ptrdiff_t kParallelFrom = std::ptrdiff_t{1} << 16;

using Buckets = std::array<std::ptrdiff_t, 256>;

unsigned Digit(const SortEntry& entry, int byte) {
    return static_cast<unsigned>(entry.prefix >> (56 - 8 * byte)) & 0xFFu;
}

// Counts the entries of each bucket of prefix byte `byte`, and moves on to later bytes while
// every entry falls into the same bucket. Returns the byte that splits the entries, or
// kPrefixBytes when their prefixes are all equal.
int SplittingByte(SortEntry* begin, SortEntry* end, int byte, Buckets& counts) {
    const std::ptrdiff_t size = end - begin;
    for (; byte < kPrefixBytes; ++byte) {
        counts.fill(0);
        for (SortEntry* entry = begin; entry != end; ++entry) {
            ++counts[Digit(*entry, byte)];
        }
        if (counts[Digit(*begin, byte)] != size) {
            return byte;
        }
    }
    return kPrefixBytes;
}

// Puts every entry into its bucket by following cycles of displaced entries; `starts` receives
// where each bucket begins.
void Distribute(SortEntry* begin, int byte, const Buckets& counts, Buckets& starts) {
    Buckets next;
    std::ptrdiff_t offset = 0;
    for (std::size_t bucket = 0; bucket < counts.size(); ++bucket) {
        starts[bucket] = offset;
        next[bucket] = offset;
        offset += counts[bucket];
    }
    for (std::size_t bucket = 0; bucket < counts.size(); ++bucket) {
        const std::ptrdiff_t bucketEnd = starts[bucket] + counts[bucket];
        while (next[bucket] < bucketEnd) {
            SortEntry moving = begin[next[bucket]];
            for (unsigned digit = Digit(moving, byte); digit != bucket;
                 digit = Digit(moving, byte)) {
                std::swap(moving, begin[next[digit]++]);
            }
            begin[next[bucket]++] = moving;
        }
    }
}

class RadixSorter {
  public:
    explicit RadixSorter(bool keyIsRecord) : keyIsRecord_(keyIsRecord) {}

    // Entries whose prefixes agree in the bytes before `byte`.
    void Sort(SortEntry* begin, SortEntry* end, int byte) const {
        if (end - begin < kComparisonSortBelow) {
            CompareSort(begin, end);
            return;
        }
        Buckets counts;
        Buckets starts;
        byte = Split(begin, end, byte, counts, starts);
        if (byte == kPrefixBytes) {
            return;
        }
        for (std::size_t bucket = 0; bucket < counts.size(); ++bucket) {
            SortBucket(begin, counts, starts, bucket, byte);
        }
    }

    // Splits once, then sorts the buckets on two threads, each taking the next bucket left.
    void SortInParallel(SortEntry* begin, SortEntry* end, Worker& helper) const {
        Buckets counts;
        Buckets starts;
        const int byte = Split(begin, end, 0, counts, starts);
        if (byte == kPrefixBytes) {
            return;
        }
        std::atomic<std::size_t> nextBucket{0};
        auto sortBuckets = [&] {
            for (std::size_t bucket; (bucket = nextBucket++) < counts.size();) {
                SortBucket(begin, counts, starts, bucket, byte);
            }
        };
        helper.RunBeside(sortBuckets, sortBuckets);
    }

  private:
    // Distributes the entries by the first prefix byte from `byte` on that splits them and
    // returns it; when their prefixes are all equal, sorts them by comparison instead and
    // returns kPrefixBytes.
    int Split(SortEntry* begin, SortEntry* end, int byte, Buckets& counts, Buckets& starts) const {
        byte = SplittingByte(begin, end, byte, counts);
        if (byte == kPrefixBytes) {
            CompareSort(begin, end);
        } else {
            Distribute(begin, byte, counts, starts);
        }
        return byte;
    }

    // Sorts bucket `bucket` of a split at `byte` on the bytes after it.
    void SortBucket(SortEntry* begin, const Buckets& counts, const Buckets& starts,
                    std::size_t bucket, int byte) const {
        if (counts[bucket] > 1) {
            SortEntry* first = begin + starts[bucket];
            Sort(first, first + counts[bucket], byte + 1);
        }
    }

    // By prefix and input order first, which needs no item; then the keys decide inside each
    // group of equal prefixes. The items of all groups are asked for before any is read, so
    // that their fetches overlap.
    void CompareSort(SortEntry* begin, SortEntry* end) const {
        std::sort(begin, end, [](const SortEntry& a, const SortEntry& b) {
            return a.prefix != b.prefix ? a.prefix < b.prefix : a.sequence < b.sequence;
        });
        bool ties = false;
        for (SortEntry* entry = begin + 1; entry < end; ++entry) {
            if (entry->prefix == entry[-1].prefix) {
                Prefetch(entry[-1].item);
                Prefetch(entry->item);
                ties = true;
            }
        }
        if (!ties) {
            return;
        }
        for (SortEntry* group = begin; group != end;) {
            SortEntry* groupEnd = group + 1;
            while (groupEnd != end && groupEnd->prefix == group->prefix) {
                ++groupEnd;
            }
            if (groupEnd - group > 1) {
                SortTies(group, groupEnd);
            }
            group = groupEnd;
        }
    }

    void SortTies(SortEntry* begin, SortEntry* end) const {
        const bool keyIsRecord = keyIsRecord_;
        auto less = [keyIsRecord](const SortEntry& a, const SortEntry& b) {
            return EntryLess(a, b, keyIsRecord);
        };
        // The group is in input order, and most ties are equal keys, which that order already
        // settles: only a group not yet in key order is sorted.
        if (!std::is_sorted(begin, end, less)) {
            std::sort(begin, end, less);
        }
    }

    bool keyIsRecord_;
};

}  // namespace

void SortEntries(SortEntry* begin, SortEntry* end, bool keyIsRecord) {
    RadixSorter(keyIsRecord).Sort(begin, end, 0);
}

void SortEntries(SortEntry* begin, SortEntry* end, bool keyIsRecord, Worker& helper) {
    if (end - begin < kParallelFrom) {
        SortEntries(begin, end, keyIsRecord);
        return;
    }
    RadixSorter(keyIsRecord).SortInParallel(begin, end, helper);
}

}  // namespace orvanta::sorters
