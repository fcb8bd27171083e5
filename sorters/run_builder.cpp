#include "sorters/run_builder.h"

#include <algorithm>
#include <thread>

#include "sorters/byte_search.h"
#include "sorters/prefetch.h"
#include "sorters/prefix_sort.h"

namespace orvanta::sorters {
namespace {

std::size_t ChooseBlockBytes(std::size_t budget) {
    const std::size_t block = budget / 16;
    return std::clamp<std::size_t>(block, std::size_t{64} << 10, std::size_t{16} << 20);
}

// Items read in sorted order lie all over memory: the first line of an item is asked for this
// far ahead, the rest once its header is in and tells the item's size.
constexpr std::ptrdiff_t kHeaderAhead = 16;
constexpr std::ptrdiff_t kBodyAhead = 8;
constexpr std::size_t kCacheLine = 64;
constexpr std::size_t kBodyPrefetchLimit = 512;

void PrefetchBody(const char* item, bool keyIsRecord) {
    const std::size_t bytes =
        std::min(ItemBytes(ReadItem(item, keyIsRecord), keyIsRecord), kBodyPrefetchLimit);
    for (std::size_t line = kCacheLine; line < bytes; line += kCacheLine) {
        Prefetch(item + line);
    }
}

}  // namespace

RunBuilder::RunBuilder(std::size_t budgetBytes, bool keyIsRecord)
    : budget_(budgetBytes), keyIsRecord_(keyIsRecord), blockBytes_(ChooseBlockBytes(budgetBytes)) {}

std::size_t RunBuilder::BytesInUse() const {
    return blockBytesTotal_ + entries_.capacity() * sizeof(SortEntry);
}

char* RunBuilder::Allocate(std::size_t bytes) {
    if (!blocks_.empty() && blockUsed_ + bytes <= blockSizes_[current_]) {
        char* place = blocks_[current_].get() + blockUsed_;
        blockUsed_ += bytes;
        return place;
    }
    // A block kept from the last run, else a new one.
    if (current_ + 1 < blocks_.size() && bytes <= blockSizes_[current_ + 1]) {
        ++current_;
        blockUsed_ = bytes;
        return blocks_[current_].get();
    }
    const std::size_t size = std::max(bytes, blockBytes_);
    if (!entries_.empty() && BytesInUse() + size > budget_) {
        return nullptr;
    }
    // A kept block too small for this record gives its place to a new one.
    while (blocks_.size() > current_ + 1) {
        blockBytesTotal_ -= blockSizes_.back();
        blocks_.pop_back();
        blockSizes_.pop_back();
    }
    blocks_.emplace_back(new char[size]);
    blockSizes_.push_back(size);
    blockBytesTotal_ += size;
    current_ = blocks_.size() - 1;
    blockUsed_ = bytes;
    return blocks_.back().get();
}

bool RunBuilder::Add(std::string_view key, std::string_view record) {
    if (entries_.size() == entries_.capacity()) {
        const std::size_t grown = std::max<std::size_t>(1024, entries_.capacity() * 2);
        // While the array grows, the old and the new one are both held.
        const std::size_t extra = grown * sizeof(SortEntry);
        if (!entries_.empty() && BytesInUse() + extra > budget_) {
            return false;
        }
        entries_.reserve(grown);
    }
    const std::size_t keyBytes = keyIsRecord_ ? 0 : key.size();
    char* item = Allocate(kItemHeaderBytes + keyBytes + record.size());
    if (item == nullptr) {
        return false;
    }
    WriteItemHeader(item, static_cast<std::uint32_t>(keyBytes),
                    static_cast<std::uint32_t>(record.size()));
    char* body = item + kItemHeaderBytes;
    CopyBytes(body, key.data(), keyBytes);
    CopyBytes(body + keyBytes, record.data(), record.size());
    const std::uint64_t prefix = KeyPrefix(keyIsRecord_ ? record : key);
    entries_.push_back(SortEntry{prefix, item, entries_.size()});
    RunMark& totals = byFirstKeyByte_[prefix >> 56];
    totals.offset += kItemHeaderBytes + keyBytes + record.size();
    totals.items += 1;
    totals.recordBytes += record.size();
    return true;
}

// The sorted entries' items, read in order.
class RunBuilder::SortedItems : public ItemSource {
  public:
    SortedItems(const SortEntry* begin, const SortEntry* end, bool keyIsRecord)
        : next_(begin), end_(end), keyIsRecord_(keyIsRecord) {}
    bool Next() override {
        if (next_ == end_) {
            return false;
        }
        const std::ptrdiff_t left = end_ - next_;
        if (left > kHeaderAhead) {
            Prefetch(next_[kHeaderAhead].item);
        }
        if (left > kBodyAhead) {
            PrefetchBody(next_[kBodyAhead].item, keyIsRecord_);
        }
        current_ = ReadItem((next_++)->item, keyIsRecord_);
        return true;
    }
    const ItemView& Current() const override { return current_; }

  private:
    const SortEntry* next_;
    const SortEntry* end_;
    bool keyIsRecord_;
    ItemView current_;
};

RunBuilder::SortedHalves RunBuilder::Sorted(Worker& helper) {
    SortEntry* begin = entries_.data();
    SortEntry* end = begin + entries_.size();
    if (std::thread::hardware_concurrency() >= 2) {
        SortEntries(begin, end, keyIsRecord_, helper);
    } else {
        SortEntries(begin, end, keyIsRecord_);
    }
    // Sorted entries come in the order of their keys' first bytes: the first half is the
    // entries of the first bytes below the one at which half the item bytes are reached.
    std::uint64_t allBytes = 0;
    for (const RunMark& totals : byFirstKeyByte_) {
        allBytes += totals.offset;
    }
    RunMark first;
    for (const RunMark& totals : byFirstKeyByte_) {
        if (2 * (first.offset + totals.offset) > allBytes + totals.offset) {
            break;
        }
        first.offset += totals.offset;
        first.items += totals.items;
        first.recordBytes += totals.recordBytes;
    }
    SortEntry* middle = begin + first.items;
    return {std::make_unique<SortedItems>(begin, middle, keyIsRecord_),
            std::make_unique<SortedItems>(middle, end, keyIsRecord_), first};
}

void RunBuilder::Clear() {
    entries_.clear();
    byFirstKeyByte_.fill(RunMark{});
    if (entries_.capacity() * sizeof(SortEntry) > budget_) {
        entries_ = {};
    }
    // Blocks made for one oversized record are not worth keeping, nor blocks past the budget
    // (it shrinks once reading and spilling share the memory).
    std::size_t kept = 0;
    std::size_t keptBytes = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if (blockSizes_[i] == blockBytes_ &&
            keptBytes + blockSizes_[i] + entries_.capacity() * sizeof(SortEntry) <= budget_) {
            blocks_[kept] = std::move(blocks_[i]);
            blockSizes_[kept] = blockSizes_[i];
            keptBytes += blockSizes_[i];
            ++kept;
        }
    }
    blocks_.resize(kept);
    blockSizes_.resize(kept);
    blockBytesTotal_ = keptBytes;
    current_ = 0;
    blockUsed_ = 0;
}

}  // namespace orvanta::sorters
