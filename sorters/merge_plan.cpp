#include "sorters/merge_plan.h"

#include <algorithm>
#include <numeric>

namespace orvanta::sorters {

std::vector<MergeStep> PlanMerges(std::size_t runs, std::size_t fanIn) {
    std::vector<MergeStep> steps;
    std::size_t first = 0;
    while (runs > fanIn) {
        if (runs - first < 2) {
            first = 0;
        }
        const std::size_t group = std::min({fanIn, runs - fanIn + 1, runs - first});
        steps.push_back({first, group});
        runs -= group - 1;
        ++first;
    }
    steps.push_back({0, runs});
    return steps;
}

std::uint64_t MergeWork(std::vector<std::uint64_t> itemsPerRun,
                        const std::vector<MergeStep>& steps) {
    std::uint64_t work = 0;
    for (const MergeStep& step : steps) {
        const auto begin = itemsPerRun.begin() + static_cast<std::ptrdiff_t>(step.first);
        const auto end = begin + static_cast<std::ptrdiff_t>(step.count);
        const std::uint64_t items = std::accumulate(begin, end, std::uint64_t{0});
        work += items;
        *begin = items;
        itemsPerRun.erase(begin + 1, end);
    }
    return work;
}

}  // namespace orvanta::sorters
