#pragma once
// Writes filled run builders as sorted run files in the work folder: the first one at once,
// then each on the spill thread while reading goes on into the other half of the memory.

#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "sorters/file_io.h"
#include "sorters/run_builder.h"
#include "sorters/run_index.h"
#include "sorters/sort_failure.h"
#include "sorters/worker.h"

namespace orvanta::sorters {

// A run file: its number (see TempFiles), how many items it holds, and its index.
struct RunFile {
    std::size_t number = 0;
    std::uint64_t items = 0;
    RunIndex index;
};

class RunSpiller {
  public:
    RunSpiller(std::size_t ioBytes, bool keyIsRecord, std::string lockPath);
    // Waits for the run being written.
    ~RunSpiller();
    RunSpiller(const RunSpiller&) = delete;
    RunSpiller& operator=(const RunSpiller&) = delete;

    // Takes the filled `builder` to be written and leaves an empty one in its place.
    bool Spill(std::unique_ptr<RunBuilder>& builder, SortFailure& failure);
    // Waits until every run handed over is written.
    bool Finish(SortFailure& failure);
    void Wait() { spiller_.Wait(); }

    bool Spilled() const { return !runs_.empty(); }
    // Complete once Finish has returned.
    std::deque<RunFile>& Runs() { return runs_; }
    // The number of the next run file, for the merge's own runs.
    std::size_t TakeRunNumber() { return nextRun_++; }
    // The thread that sorts beside another one; idle once the runs are written.
    Worker& Helper() { return helper_; }
    // Closes and removes the lock that marks this sort's run files as alive, taken before the
    // first of them was made; only once they are gone.
    void RemoveLock();
    // Frees the spare builder once the reading is over.
    void ReleaseMemory();

  private:
    bool HoldWorkFolderLock(SortFailure& failure);
    bool WriteRun(RunBuilder& builder, RunFile& run, SortFailure& failure);

    const std::size_t ioBytes_;
    const bool keyIsRecord_;
    const std::string lockPath_;
    File lock_;
    std::unique_ptr<RunBuilder> spare_;  // being written, or empty and waiting
    std::deque<RunFile> runs_;  // in input order; the spill thread fills in the one it writes
    std::size_t nextRun_ = 0;
    SortFailure spillFailure_;
    bool spillOk_ = true;
    Worker helper_;
    Worker spiller_;  // last: ends before the builders and the helper go
};

}  // namespace orvanta::sorters
