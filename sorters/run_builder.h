#pragma once
// Holds records with their keys in memory up to a byte budget and sorts them, stably, on two
// threads.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "sorters/item_source.h"
#include "sorters/run_index.h"
#include "sorters/sort_entry.h"
#include "sorters/worker.h"

namespace orvanta::sorters {

class RunBuilder {
  public:
    RunBuilder(std::size_t budgetBytes, bool keyIsRecord);

    // Adds a record; false when the budget is spent (the builder then holds at least one
    // record: a record larger than the whole budget is taken alone).
    bool Add(std::string_view key, std::string_view record);

    // The sorted items in two halves that hold about as many bytes, for two threads to
    // write side by side; cut between two values of the keys' first byte, which the builder
    // counts as records come.
    struct SortedHalves {
        std::unique_ptr<ItemSource> first;
        std::unique_ptr<ItemSource> second;
        RunMark beforeSecond;  // offset: the first half's item bytes
    };
    // Sorts the records, `helper` sorting beside the calling thread, and gives them in order.
    // Valid until Clear.
    SortedHalves Sorted(Worker& helper);

    // Forgets the records but keeps the memory for the next run: pages already in use cost
    // nothing, fresh ones cost a fault each.
    void Clear();
    std::size_t Count() const { return entries_.size(); }
    std::size_t Budget() const { return budget_; }
    // Takes effect for the memory kept at the next Clear.
    void SetBudget(std::size_t budgetBytes) { budget_ = budgetBytes; }

  private:
    class SortedItems;
    char* Allocate(std::size_t bytes);
    std::size_t BytesInUse() const;

    std::size_t budget_;
    const bool keyIsRecord_;
    const std::size_t blockBytes_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::vector<std::size_t> blockSizes_;
    std::size_t blockBytesTotal_ = 0;
    std::size_t current_ = 0;    // the block being filled, when there are blocks
    std::size_t blockUsed_ = 0;  // in the current block
    std::vector<SortEntry> entries_;
    std::array<RunMark, 256> byFirstKeyByte_{};  // items, their bytes and record bytes
};

}  // namespace orvanta::sorters
