#include "sorters/run_spiller.h"

#include <new>

#include "sorters/buffered_writer.h"
#include "sorters/item_sinks.h"
#include "sorters/messages.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {

RunSpiller::RunSpiller(std::size_t ioBytes, bool keyIsRecord, std::string lockPath)
    : ioBytes_(ioBytes), keyIsRecord_(keyIsRecord), lockPath_(std::move(lockPath)) {}

RunSpiller::~RunSpiller() {
    spiller_.Wait();
}

bool RunSpiller::Spill(std::unique_ptr<RunBuilder>& builder, SortFailure& failure) {
    if (!Finish(failure) || !HoldWorkFolderLock(failure)) {
        return false;
    }
    RunFile& run = runs_.emplace_back();
    run.number = nextRun_++;
    run.items = builder->Count();
    if (!spare_) {
        const bool written = WriteRun(*builder, run, failure);
        // From now on half the memory fills while the other half is written.
        const std::size_t half = builder->Budget() / 2;
        builder->SetBudget(half);
        builder->Clear();
        spare_ = std::make_unique<RunBuilder>(half, keyIsRecord_);
        return written;
    }
    std::swap(builder, spare_);
    spiller_.Start([this, &run] {
        try {
            spillOk_ = WriteRun(*spare_, run, spillFailure_);
        } catch (const std::bad_alloc&) {
            spillOk_ = spillFailure_.Set(messages::kOutOfMemory);
        }
        spare_->Clear();
    });
    return true;
}

bool RunSpiller::Finish(SortFailure& failure) {
    spiller_.Wait();
    if (!spillOk_) {
        failure = spillFailure_;
    }
    return spillOk_;
}

bool RunSpiller::HoldWorkFolderLock(SortFailure& failure) {
    if (lock_.IsOpen()) {
        return true;
    }
    TempFiles::NoteLock(lockPath_);
    lock_ = File::HoldLock(lockPath_);
    return lock_.IsOpen() || failure.Set(messages::kRunFileFailed, lockPath_);
}

void RunSpiller::RemoveLock() {
    if (lock_.IsOpen()) {
        RemoveFile(lockPath_);
        lock_.Close();
    }
}

void RunSpiller::ReleaseMemory() {
    spiller_.Wait();
    spare_.reset();
}

bool RunSpiller::WriteRun(RunBuilder& builder, RunFile& run, SortFailure& failure) {
    const std::string path = TempFiles::RunPath(run.number);
    TempFiles::NoteRun(run.number);
    File file = File::CreateNew(path);
    if (!file.IsOpen()) {
        return failure.Set(messages::kRunFileFailed, path);
    }
    // The helper sorts beside this thread, then gathers and writes the second half of the
    // sorted items while this thread does the first.
    RunBuilder::SortedHalves sorted = builder.Sorted(helper_);
    BufferedWriter firstWriter(file, ioBytes_);
    BufferedWriter secondWriter(file, ioBytes_);
    secondWriter.PlaceAt(sorted.beforeSecond.offset);
    RunIndex secondIndex;
    bool secondOk = false;
    bool secondOutOfMemory = false;
    bool firstOk = false;
    helper_.RunBeside(
        [&] {
            try {
                RunSink sink(secondWriter, keyIsRecord_, secondIndex, sorted.beforeSecond);
                secondOk = CopyItems(*sorted.second, sink) && secondWriter.Flush();
            } catch (const std::bad_alloc&) {
                secondOutOfMemory = true;
            }
        },
        [&] {
            firstWriter.PlaceAt(0);
            RunSink sink(firstWriter, keyIsRecord_, run.index);
            firstOk = CopyItems(*sorted.first, sink) && firstWriter.Flush();
        });
    if (secondOutOfMemory) {
        return failure.Set(messages::kOutOfMemory);
    }
    run.index.marks.insert(run.index.marks.end(), secondIndex.marks.begin(),
                           secondIndex.marks.end());
    if (!firstOk || !secondOk || !file.Close()) {
        return failure.Set(messages::kWriteFailed, path);
    }
    return true;
}

}  // namespace orvanta::sorters
