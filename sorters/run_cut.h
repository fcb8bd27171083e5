#pragma once
// Cuts sorted runs in two at one key, so that two merges can write the two halves of the
// output side by side: each run's items with keys before the cut key go to the first half,
// the rest to the second. Equal keys fall on the same side, so each half merges stably and
// the halves follow each other as one merge of the whole would give them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sorters/run_spiller.h"

namespace orvanta::sorters {

// Where a run is cut: the first item of its second half, and what comes before it.
struct RunCut {
    std::uint64_t offset = 0;       // in the run file
    std::uint64_t items = 0;        // in the first half
    std::uint64_t recordBytes = 0;  // of the first half's records
};

// A cut of each run (`paths[i]` being the file of `runs[i]`) at a key chosen from the runs'
// middle items, weighted by their sizes, so that the halves come out about equal; nothing
// when a run cannot be read.
std::optional<std::vector<RunCut>> CutRuns(const std::vector<RunFile>& runs,
                                           const std::vector<std::string>& paths, bool keyIsRecord);

}  // namespace orvanta::sorters
