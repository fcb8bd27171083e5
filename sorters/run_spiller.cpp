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
    // The helper sorts first, then writes while the sorted items are gathered.
    BufferedWriter writer(file, ioBytes_, &helper_);
    RunSink sink(writer, keyIsRecord_, run.index);
    auto sorted = builder.Sorted(helper_);
    if (!CopyItems(*sorted, sink) || !writer.Flush() || !file.Close()) {
        return failure.Set(messages::kWriteFailed, path);
    }
    return true;
}

}  // namespace orvanta::sorters
