#pragma once
// The steps of one sort: checks, reading records into sorted runs, writing the output
// directly or through a merge of run files, and putting the output in place.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sorters/file_io.h"
#include "sorters/key_encoder.h"
#include "sorters/progress.h"
#include "sorters/reporter.h"
#include "sorters/run_builder.h"
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
    bool ReadRuns();
    bool SpillRun();
    bool WriteOutputFromMemory();
    bool MergeRunsToOutput();
    bool MergeGroupIntoRun(std::size_t first, std::size_t last, std::size_t target);
    bool Finish();
    int Fail(const char* message, const std::string& path);

    const SortJob& job_;
    Reporter& reporter_;
    KeyEncoder encoder_;
    std::size_t ioBytes_;
    std::string workFolder_;
    std::string outputTemp_;
    File input_;
    File output_;
    std::unique_ptr<RunBuilder> builder_;
    std::unique_ptr<ProgressMeter> progress_;
    std::vector<std::size_t> runs_;  // run file numbers, in input order
    std::size_t nextRun_ = 0;
    std::string byteOrderMark_;
    std::string lineEnd_;
    std::uint64_t records_ = 0;
    bool completed_ = false;
    const char* failure_ = nullptr;
    std::string failurePath_;
};

}  // namespace orvanta::sorters
