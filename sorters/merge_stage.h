#pragma once
// Writes the sorted output: straight from the records in memory, or by merging the run files,
// in several passes when there are more of them than one merge takes.

#include <cstdint>
#include <string>
#include <vector>

#include "sorters/file_io.h"
#include "sorters/memory_plan.h"
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
    // `helper` sorts beside the calling thread and writes while it merges.
    MergeStage(const MemoryPlan& plan, bool keyIsRecord, OutputTarget output,
               ProgressMeter& progress, Worker& helper);

    bool FromMemory(RunBuilder& builder, SortFailure& failure);
    // Merges the spiller's runs, which are all written, and removes them.
    bool FromRuns(RunSpiller& spiller, SortFailure& failure);

  private:
    // Merges runs [first, last) of runs_ into run file `target`, or into the output when
    // `toOutput`.
    bool MergeGroup(std::size_t first, std::size_t last, std::size_t target, bool toOutput,
                    SortFailure& failure);

    const MemoryPlan& plan_;
    const bool keyIsRecord_;
    OutputTarget output_;
    ProgressMeter& progress_;
    Worker& helper_;
    std::vector<std::size_t> runs_;  // run file numbers, in input order
    std::uint64_t mergeWork_ = 0;    // items all the merges move together
    std::uint64_t mergedItems_ = 0;
};

}  // namespace orvanta::sorters
