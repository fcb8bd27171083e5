#pragma once
// One sort from start to end: checks the command's files, runs the stages (reading into runs,
// spilling them, writing the output from memory or through a merge) and puts the output in
// place, or leaves everything as it was.

#include <memory>
#include <string>

#include "sorters/file_io.h"
#include "sorters/key_encoder.h"
#include "sorters/memory_plan.h"
#include "sorters/progress.h"
#include "sorters/reporter.h"
#include "sorters/run_spiller.h"
#include "sorters/sort_failure.h"
#include "sorters/sort_job.h"

namespace orvanta::sorters {

class SortSession {
  public:
    SortSession(const SortJob& job, Reporter& reporter);
    // Removes whatever temporary file is left when the sort did not complete.
    ~SortSession();
    SortSession(const SortSession&) = delete;
    SortSession& operator=(const SortSession&) = delete;

    int Run();

  private:
    bool Prepare();
    bool Sort();
    bool Finish();

    const SortJob& job_;
    Reporter& reporter_;
    KeyEncoder encoder_;
    const MemoryPlan plan_;
    std::string workFolder_;
    std::string outputTemp_;
    File input_;
    File output_;
    std::unique_ptr<RunSpiller> spiller_;
    std::unique_ptr<ProgressMeter> progress_;
    std::uint64_t records_ = 0;
    bool completed_ = false;
    SortFailure failure_;
};

}  // namespace orvanta::sorters
