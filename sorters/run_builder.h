#pragma once
// Holds records with their keys in memory up to a byte budget and sorts them, stably, on two
// threads.

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "sorters/sort_item.h"

namespace orvanta::sorters {

class RunBuilder {
  public:
    RunBuilder(std::size_t budgetBytes, bool keyIsRecord);

    // Adds a record; false when the budget is spent (the builder then holds at least one
    // record: a record larger than the whole budget is taken alone).
    bool Add(std::string_view key, std::string_view record);
    bool Empty() const { return entries_.empty(); }
    std::size_t Count() const { return entries_.size(); }

    void Sort();
    // The items in sorted order after Sort, in input order before.
    std::size_t SortedCount() const { return entries_.size(); }
    ItemView SortedItem(std::size_t index) const {
        return ReadItem(entries_[index].item, keyIsRecord_);
    }

    // Frees the records but keeps the first block for the next run.
    void Clear();

  private:
    struct Entry {
        std::uint64_t prefix;
        const char* item;
        std::uint64_t sequence;  // input order, for stability
    };
    static bool Less(const Entry& a, const Entry& b, bool keyIsRecord);
    char* Allocate(std::size_t bytes);
    std::size_t BytesInUse() const;

    const std::size_t budget_;
    const bool keyIsRecord_;
    const std::size_t blockBytes_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> blockSizes_;
    std::size_t blockBytesTotal_ = 0;
    std::size_t blockUsed_ = 0;  // in the last block
    std::vector<Entry> entries_;
};

}  // namespace orvanta::sorters
