#pragma once
// Where merged items go: the output's records, a run file's items, and a counter for the
// progress display in front of either.

#include <cstdint>
#include <string_view>

#include "sorters/buffered_writer.h"
#include "sorters/merge_progress.h"
#include "sorters/run_index.h"
#include "sorters/run_merger.h"

namespace orvanta::sorters {

// Writes the records of sorted items, each with the input's line end.
class OutputSink : public ItemSink {
  public:
    OutputSink(BufferedWriter& writer, std::string_view lineEnd)
        : writer_(writer), lineEnd_(lineEnd) {}
    bool Put(const ItemView& item) override {
        return writer_.Append(item.record) && writer_.Append(lineEnd_);
    }

  private:
    BufferedWriter& writer_;
    std::string_view lineEnd_;
};

// Writes whole items, as a run file holds them, and marks the file's index as it goes; `start`
// tells what the file holds before the first item given here. Items come from the records in
// memory or from run files, which both hold each item in one piece.
class RunSink : public ItemSink {
  public:
    RunSink(BufferedWriter& writer, bool keyIsRecord, RunIndex& index, RunMark start = {})
        : writer_(writer), keyIsRecord_(keyIsRecord), index_(index), mark_(start) {}
    bool Put(const ItemView& item) override {
        if (mark_.items % RunIndex::kItemsPerMark == 0) {
            index_.marks.push_back(mark_);
        }
        const std::size_t bytes = ItemBytes(item, keyIsRecord_);
        mark_.offset += bytes;
        mark_.items += 1;
        mark_.recordBytes += item.record.size();
        return writer_.Append(std::string_view(item.stored, bytes));
    }

  private:
    BufferedWriter& writer_;
    bool keyIsRecord_;
    RunIndex& index_;
    RunMark mark_;  // where the next item goes
};

// Counts the items that pass for the progress display, in steps; refuses the next item once
// a merge beside this one has failed.
class CountingSink : public ItemSink {
  public:
    CountingSink(ItemSink& inner, MergeProgress& progress)
        : inner_(inner), progress_(progress), step_(progress.Step()) {}
    ~CountingSink() override { progress_.Add(counted_); }
    CountingSink(const CountingSink&) = delete;
    CountingSink& operator=(const CountingSink&) = delete;

    bool Put(const ItemView& item) override {
        if (++counted_ == step_) {
            progress_.Add(counted_);
            counted_ = 0;
            if (progress_.Stopped()) {
                return false;
            }
        }
        return inner_.Put(item);
    }

  private:
    ItemSink& inner_;
    MergeProgress& progress_;
    const std::uint64_t step_;
    std::uint64_t counted_ = 0;  // since the last step shown
};

}  // namespace orvanta::sorters
