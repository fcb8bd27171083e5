#include "sorters/sort_session.h"

#include <new>

#include "sorters/abandoned_files.h"
#include "sorters/merge_stage.h"
#include "sorters/messages.h"
#include "sorters/run_producer.h"
#include "sorters/sorter.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {

SortSession::SortSession(const SortJob& job, Reporter& reporter)
    : job_(job), reporter_(reporter), encoder_(job), plan_(PlanMemory(job)) {}

SortSession::~SortSession() {
    if (spiller_) {
        spiller_->Wait();
    }
    input_.Close();
    output_.Close();
    if (!completed_) {
        TempFiles::RemoveAll();
    }
    TempFiles::End();
    // The lock goes last: until then the run files' owner is alive.
    if (spiller_) {
        spiller_->RemoveLock();
    }
}

int SortSession::Run() {
    if (!Prepare()) {
        return kExitRefused;
    }
    try {
        if (!Sort() || !Finish()) {
            reporter_.Message(failure_.message + PathForMessage(failure_.path));
            return kExitFailed;
        }
    } catch (const std::bad_alloc&) {
        reporter_.Message(messages::kOutOfMemory);
        return kExitFailed;
    }
    progress_->Done(records_);
    return kExitSorted;
}

bool SortSession::Prepare() {
    auto refuse = [this](const char* message, const std::string& path) {
        reporter_.Message(message + PathForMessage(path));
        return false;
    };
    if (!IsRegularFile(job_.inputPath)) {
        return refuse(messages::kInputNotFound, job_.inputPath);
    }
    // The finished output is renamed into place, which would put a plain file where a folder,
    // a device or a pipe of that name stands.
    if (PathExists(job_.outputPath) && !IsRegularFile(job_.outputPath)) {
        return refuse(messages::kOutputNotAFile, job_.outputPath);
    }
    workFolder_ = job_.workFolder;
    if (!workFolder_.empty() && !IsDirectory(workFolder_)) {
        return refuse(messages::kWorkFolderMissing, workFolder_);
    }
    if (workFolder_.empty()) {
        workFolder_ = EnvironmentFolder("TEMP");
        if (workFolder_.empty() || !IsDirectory(workFolder_)) {
            workFolder_ = SystemTempFolder();
        }
    }
    input_ = File::OpenRead(job_.inputPath);
    if (!input_.IsOpen()) {
        return refuse(messages::kInputUnreadable, job_.inputPath);
    }
    RemoveAbandonedRunFiles(workFolder_, ProcessId());
    RemoveAbandonedOutputs(job_.outputPath);
    // A new file beside the output; the output itself is replaced only once complete. Each
    // name is registered before the file exists, so that an interrupt never misses it.
    const std::string runPrefix = JoinPath(workFolder_, RunFilePrefix(ProcessId()));
    spiller_ = std::make_unique<RunSpiller>(plan_.ioBytes, encoder_.KeyIsRecord(),
                                            JoinPath(workFolder_, LockFileName(ProcessId())));
    InstallInterruptCleanup();
    for (int attempt = 0; attempt < 100 && !output_.IsOpen(); ++attempt) {
        outputTemp_ = UnfinishedOutputPath(job_.outputPath, ProcessId(), attempt);
        TempFiles::Begin(outputTemp_, runPrefix);
        output_ = File::CreateNew(outputTemp_);
    }
    if (!output_.IsOpen()) {
        TempFiles::End();
        outputTemp_.clear();
        return refuse(messages::kOutputNotCreated, job_.outputPath);
    }
    const std::int64_t size = input_.Size();
    progress_ = std::make_unique<ProgressMeter>(
        reporter_, size > 0 ? static_cast<std::uint64_t>(size) : 0, job_.showEveryProgressStep);
    return true;
}

bool SortSession::Sort() {
    RunProducer producer(job_, encoder_, plan_.ioBytes, plan_.runBytes);
    if (!producer.ReadAll(input_, *spiller_, *progress_, failure_)) {
        return false;
    }
    input_.Close();
    records_ = producer.Records();
    MergeStage merge(
        plan_, encoder_.KeyIsRecord(),
        {output_, outputTemp_, job_.outputPath, producer.ByteOrderMark(), producer.LineEnd()},
        *progress_, spiller_->Helper());
    std::unique_ptr<RunBuilder>& last = producer.LastRun();
    if (!spiller_->Spilled()) {
        return merge.FromMemory(*last, failure_);
    }
    if (!spiller_->Spill(last, failure_) || !spiller_->Finish(failure_)) {
        return false;
    }
    last.reset();
    spiller_->ReleaseMemory();
    ReleaseFreeMemory();
    return merge.FromRuns(*spiller_, failure_);
}

bool SortSession::Finish() {
    if (!output_.Close()) {
        return failure_.Set(messages::kWriteFailed, job_.outputPath);
    }
    if (!MoveOverFile(outputTemp_, job_.outputPath)) {
        return failure_.Set(messages::kReplaceFailed, job_.outputPath);
    }
    completed_ = true;
    return true;
}

}  // namespace orvanta::sorters
