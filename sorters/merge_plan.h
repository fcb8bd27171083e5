#pragma once
// Which run files are merged when: neighbouring runs, no more of them than needed, until one
// merge can take them all. A merged group takes its runs' place, so equal keys stay in input
// order; a pass goes on from the group after the last one, so merged runs are merged again only
// in a later pass.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvanta::sorters {

struct MergeStep {
    std::size_t first;  // position in the list of runs as it stands before this step
    std::size_t count;  // runs merged; the last step takes every run left and writes the output
};

// The steps for `runs` runs (at least one) and at most `fanIn` runs (at least two) per merge.
std::vector<MergeStep> PlanMerges(std::size_t runs, std::size_t fanIn);

// Items that all the steps move together, the runs holding `itemsPerRun` at the start.
std::uint64_t MergeWork(std::vector<std::uint64_t> itemsPerRun,
                        const std::vector<MergeStep>& steps);

}  // namespace orvanta::sorters
