#pragma once
// Writes the sorted output: straight from the records in memory, or by merging the run files,
// in several passes when there are more of them than one merge takes. The last merge writes
// the output's two halves side by side, one on each thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sorters/file_io.h"
#include "sorters/item_source.h"
#include "sorters/memory_plan.h"
#include "sorters/merge_progress.h"
#include "sorters/progress.h"
#include "sorters/run_builder.h"
#include "sorters/run_spiller.h"
#include "sorters/sort_failure.h"

namespace orvanta::sorters {

struct OutputTarget {
    File& file;
    const std::string& path;       // the unfinished output, for messages of a failed merge
    const std::string& shownPath;  // the output as the user named it
    std::string_view byteOrderMark;
    std::string_view lineEnd;
};

class MergeStage {
  public:
    // `helper` sorts beside the calling thread, writes while it merges, and merges the second
    // half of the output.
    MergeStage(const MemoryPlan& plan, bool keyIsRecord, OutputTarget output,
               ProgressMeter& progress, Worker& helper);

    bool FromMemory(RunBuilder& builder, SortFailure& failure);
    // Merges the spiller's runs, which are all written, and removes them.
    bool FromRuns(RunSpiller& spiller, SortFailure& failure);

  private:
    struct Range {
        std::uint64_t begin;
        std::uint64_t end;
    };
    using Readers = std::vector<std::unique_ptr<ItemSource>>;
    enum class HalfResult { Done, Failed, Stopped };

    // Readers of runs_[first + i] over ranges[i], each mapping `windowBytes` at a time.
    bool OpenReaders(std::size_t first, const std::vector<Range>& ranges, std::size_t windowBytes,
                     Readers& readers, SortFailure& failure) const;
    // Merges runs [first, last) of runs_ into the new run `target`.
    bool MergeToRun(std::size_t first, std::size_t last, RunFile& target, SortFailure& failure);
    // Merges all of runs_ into the output.
    bool MergeToOutput(SortFailure& failure);
    // Merges one half of the runs into the output from `outputOffset` on. Stopped: the other
    // half failed.
    HalfResult MergeHalf(const std::vector<Range>& ranges, std::uint64_t outputOffset,
                         bool withByteOrderMark, SortFailure& failure);
    // As MergeHalf, with running out of memory as a failure; stops the other half on one.
    HalfResult MergeHalfGuarded(const std::vector<Range>& ranges, std::uint64_t outputOffset,
                                bool withByteOrderMark, SortFailure& failure);
    void RemoveRuns(std::size_t first, std::size_t last) const;

    const MemoryPlan& plan_;
    const bool keyIsRecord_;
    OutputTarget output_;
    MergeProgress progress_;
    Worker& helper_;
    std::vector<RunFile> runs_;  // in input order
};

}  // namespace orvanta::sorters
