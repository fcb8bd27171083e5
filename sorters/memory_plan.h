#pragma once
// How a sort shares its memory (/M) out: file buffers, the records held for one run, the
// number of runs merged at once.

#include <cstddef>

#include "sorters/sort_job.h"

namespace orvanta::sorters {

struct MemoryPlan {
    std::size_t memoryBytes;
    std::size_t ioBytes;   // each input, output and run-file writer buffer
    std::size_t runBytes;  // records held before the first run is written
    std::size_t fanIn;     // runs merged at once, at least two

    // The buffer of each of `runs` runs merged at once.
    std::size_t MergeReaderBytes(std::size_t runs) const;
};

MemoryPlan PlanMemory(const SortJob& job);

}  // namespace orvanta::sorters
