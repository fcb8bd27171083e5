#pragma once
// The steps of one sort: checks, reading records into sorted runs, writing the output
// directly or through a merge of run files, and putting the output in place.

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
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
    // Hands the filled builder over to be sorted and written as a run file while reading goes on
    // into the other one (the first run is written before reading goes on).
    bool SpillRun();
    // Takes the work folder's lock that keeps this sort's run files from other sorts' clean-up.
    bool HoldWorkFolderLock();
    bool WaitForSpill();
    bool WriteRun(RunBuilder& builder, std::size_t number, const char*& failure,
                  std::string& failurePath);
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
    std::string lockPath_;
    File lock_;
    File input_;
    File output_;
    std::unique_ptr<RunBuilder> builder_;  // being filled
    std::unique_ptr<RunBuilder> spare_;    // being written by spiller_, or empty and waiting
    std::thread spiller_;
    bool spillOk_ = true;
    const char* spillFailure_ = nullptr;
    std::string spillFailurePath_;
    std::unique_ptr<ProgressMeter> progress_;
    std::vector<std::size_t> runs_;        // run file numbers, in input order
    std::vector<std::uint64_t> runItems_;  // items of each run spilled from memory
    std::uint64_t mergeWork_ = 0;          // items all the merges move together
    std::uint64_t mergedItems_ = 0;
    std::size_t nextRun_ = 0;
    std::string byteOrderMark_;
    std::string lineEnd_;
    std::uint64_t records_ = 0;
    bool completed_ = false;
    const char* failure_ = nullptr;
    std::string failurePath_;
};

}  // namespace orvanta::sorters
