#pragma once
// Where merged items go: the output's records, a run file's items, and a counter for the
// progress display in front of either.

#include <cstdint>
#include <string_view>

#include "sorters/buffered_writer.h"
#include "sorters/progress.h"
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

// Writes whole items, as a run file holds them. Items come from the records in memory or from
// run files, which both hold each item in one piece.
class RunSink : public ItemSink {
  public:
    RunSink(BufferedWriter& writer, bool keyIsRecord)
        : writer_(writer), keyIsRecord_(keyIsRecord) {}
    bool Put(const ItemView& item) override {
        return writer_.Append(std::string_view(item.stored, ItemBytes(item, keyIsRecord_)));
    }

  private:
    BufferedWriter& writer_;
    bool keyIsRecord_;
};

// Counts the items that pass, on from those of the earlier merges, for the progress display.
class CountingSink : public ItemSink {
  public:
    CountingSink(ItemSink& inner, ProgressMeter& progress, std::uint64_t& done, std::uint64_t total)
        : inner_(inner), progress_(progress), step_(progress.Step()), done_(done), total_(total) {}
    bool Put(const ItemView& item) override {
        if (++done_ % step_ == 0) {
            progress_.Merging(done_, total_);
        }
        return inner_.Put(item);
    }

  private:
    ItemSink& inner_;
    ProgressMeter& progress_;
    const std::uint64_t step_;
    std::uint64_t& done_;
    std::uint64_t total_;
};

}  // namespace orvanta::sorters
