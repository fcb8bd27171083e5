#pragma once
// One run of a sorter: reads the command, sorts the input into the output, reports.

#include <string>
#include <vector>

#include "sorters/reporter.h"
#include "sorters/sort_job.h"

namespace orvanta::sorters {

enum ExitStatus : int {
    kExitSorted = 0,
    kExitRefused = 1,  // the command was refused; no file was touched
    kExitFailed = 2,   // reading, writing or memory failed; the output is as it was
};

// `args`: the arguments after the program name.
int RunSorter(SorterKind kind, const std::vector<std::string>& args, Reporter& reporter);

// Sorts as `job` says; the job is taken as already parsed.
int RunSortJob(const SortJob& job, Reporter& reporter);

}  // namespace orvanta::sorters
