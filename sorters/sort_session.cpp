#include "sorters/sort_session.h"

#include <algorithm>
#include <limits>
#include <new>

#include "core/utf16_to_ansi.h"
#include "sorters/abandoned_files.h"
#include "sorters/buffered_writer.h"
#include "sorters/merge_plan.h"
#include "sorters/messages.h"
#include "sorters/record_reader.h"
#include "sorters/run_reader.h"
#include "sorters/run_merger.h"
#include "sorters/sorter.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {
namespace {

constexpr std::size_t kMinIoBytes = std::size_t{64} << 10;
// Buffers that stay within the caches: larger ones only slow the copies through them.
constexpr std::size_t kMaxIoBytes = std::size_t{2} << 20;
// Each run being merged gets at least this much buffer, which bounds the merge fan-in.
constexpr std::size_t kMergeBufferBytes = std::size_t{1} << 20;
constexpr std::size_t kMaxFanIn = 512;
// Records held for one sort at most: larger runs sort slower (they outgrow the caches) and
// would keep the reading waiting, so memory beyond this serves the merge.
constexpr std::size_t kMaxRunBuilderBytes = std::size_t{64} << 20;

// Writes the records of sorted items, each with the input's line end, behind the mark.
class OutputSink : public ItemSink {
  public:
    OutputSink(BufferedWriter& writer, std::string_view lineEnd)
        : writer_(writer), lineEnd_(lineEnd) {}
    bool Put(const ItemView& item) override {
        return writer_.Append(item.record) && writer_.Append(lineEnd_);
    }

  private:
    BufferedWriter& writer_;
    std::string_view lineEnd_;
};

// Writes whole items, as a run file holds them.
class RunSink : public ItemSink {
  public:
    RunSink(BufferedWriter& writer, bool keyIsRecord)
        : writer_(writer), keyIsRecord_(keyIsRecord) {}
    bool Put(const ItemView& item) override {
        char header[kItemHeaderBytes];
        const std::size_t keyBytes = keyIsRecord_ ? 0 : item.key.size();
        WriteItemHeader(header, static_cast<std::uint32_t>(keyBytes),
                        static_cast<std::uint32_t>(item.record.size()));
        return writer_.Append(std::string_view(header, sizeof header)) &&
               writer_.Append(item.key.substr(0, keyBytes)) && writer_.Append(item.record);
    }

  private:
    BufferedWriter& writer_;
    bool keyIsRecord_;
};

// Counts the items that pass, on from those of the earlier merges, for the progress display.
class CountingSink : public ItemSink {
  public:
    CountingSink(ItemSink& inner, ProgressMeter& progress, std::uint64_t& done, std::uint64_t total)
        : inner_(inner), progress_(progress), step_(progress.Step()), done_(done), total_(total) {}
    bool Put(const ItemView& item) override {
        if (++done_ % step_ == 0) {
            progress_.Merging(done_, total_);
        }
        return inner_.Put(item);
    }

  private:
    ItemSink& inner_;
    ProgressMeter& progress_;
    const std::uint64_t step_;
    std::uint64_t& done_;
    std::uint64_t total_;
};

}  // namespace

SortSession::SortSession(const SortJob& job, Reporter& reporter)
    : job_(job),
      reporter_(reporter),
      encoder_(job),
      ioBytes_(std::clamp<std::size_t>(static_cast<std::size_t>(job.memoryBytes / 32), kMinIoBytes,
                                       kMaxIoBytes)) {}

SortSession::~SortSession() {
    if (spiller_.joinable()) {
        spiller_.join();
    }
    input_.Close();
    output_.Close();
    if (!completed_) {
        TempFiles::RemoveAll();
    }
    TempFiles::End();
    // The lock goes last: until then the run files' owner is alive.
    if (lock_.IsOpen()) {
        RemoveFile(lockPath_);
        lock_.Close();
    }
}

int SortSession::Fail(const char* message, const std::string& path) {
    reporter_.Message(message + PathForMessage(path));
    return kExitFailed;
}

int SortSession::Run() {
    if (!Prepare()) {
        return kExitRefused;
    }
    try {
        const bool sorted =
            ReadRuns() && (runs_.empty() ? WriteOutputFromMemory()
                                         : SpillRun() && WaitForSpill() && MergeRunsToOutput());
        if (!sorted || !Finish()) {
            return Fail(failure_, failurePath_);
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
    lockPath_ = JoinPath(workFolder_, LockFileName(ProcessId()));
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

bool SortSession::ReadRuns() {
    const std::size_t budget = static_cast<std::size_t>(
        std::min<std::uint64_t>(job_.memoryBytes, std::numeric_limits<std::size_t>::max()));
    const std::size_t reserved = 3 * ioBytes_;
    const std::size_t usable = budget > 2 * reserved ? budget - reserved : budget / 2;
    const std::size_t runLimit = job_.maxRunBytes != 0 ? job_.maxRunBytes : kMaxRunBuilderBytes;
    builder_ = std::make_unique<RunBuilder>(std::min(usable, runLimit), encoder_.KeyIsRecord());
    RecordReader reader(input_, job_.kind == SorterKind::Csv, job_.utf16, ioBytes_);
    std::string key;
    std::u16string units;
    std::string_view record;
    RecordReader::Status status;
    while ((status = reader.Next(record)) == RecordReader::Status::Record) {
        key.clear();
        if (job_.utf16) {
            // Keys come from the record in code page 932, as the wizard's sample shows it.
            units.resize(record.size() / 2);
            std::memcpy(units.data(), record.data(), units.size() * 2);
            encoder_.Encode(Utf16ToAnsi(units), key);
        } else if (!encoder_.KeyIsRecord()) {
            encoder_.Encode(record, key);
        }
        if (record.size() > std::numeric_limits<std::uint32_t>::max() ||
            key.size() > std::numeric_limits<std::uint32_t>::max()) {
            failure_ = messages::kRecordTooLong;
            return false;
        }
        if (!builder_->Add(key, record)) {
            if (!SpillRun()) {
                return false;
            }
            builder_->Add(key, record);
        }
        if (++records_ % progress_->Step() == 0) {
            progress_->Reading(reader.BytesRead());
        }
    }
    if (status == RecordReader::Status::Error) {
        failure_ = messages::kReadFailed;
        failurePath_ = job_.inputPath;
        return false;
    }
    byteOrderMark_ = reader.ByteOrderMark();
    lineEnd_ = reader.FirstLineEnd();
    input_.Close();
    return true;
}

bool SortSession::SpillRun() {
    if (!WaitForSpill() || !HoldWorkFolderLock()) {
        return false;
    }
    const std::size_t number = nextRun_++;
    runs_.push_back(number);
    runItems_.push_back(builder_->Count());
    if (!spare_) {
        const bool written = WriteRun(*builder_, number, failure_, failurePath_);
        // From now on half the memory fills while the other half is written.
        const std::size_t half = builder_->Budget() / 2;
        builder_->Clear();
        builder_->SetBudget(half);
        spare_ = std::make_unique<RunBuilder>(half, encoder_.KeyIsRecord());
        return written;
    }
    std::swap(builder_, spare_);
    spiller_ = std::thread([this, number] {
        try {
            spillOk_ = WriteRun(*spare_, number, spillFailure_, spillFailurePath_);
        } catch (const std::bad_alloc&) {
            spillOk_ = false;
            spillFailure_ = messages::kOutOfMemory;
        }
        spare_->Clear();
    });
    return true;
}

bool SortSession::WaitForSpill() {
    if (spiller_.joinable()) {
        spiller_.join();
    }
    if (!spillOk_) {
        failure_ = spillFailure_;
        failurePath_ = spillFailurePath_;
    }
    return spillOk_;
}

bool SortSession::HoldWorkFolderLock() {
    if (lock_.IsOpen()) {
        return true;
    }
    TempFiles::NoteLock(lockPath_);
    lock_ = File::HoldLock(lockPath_);
    if (!lock_.IsOpen()) {
        failure_ = messages::kRunFileFailed;
        failurePath_ = lockPath_;
        return false;
    }
    return true;
}

bool SortSession::WriteRun(RunBuilder& builder, std::size_t number, const char*& failure,
                           std::string& failurePath) {
    const std::string path = TempFiles::RunPath(number);
    TempFiles::NoteRun(number);
    File file = File::CreateNew(path);
    if (!file.IsOpen()) {
        failure = messages::kRunFileFailed;
        failurePath = path;
        return false;
    }
    BufferedWriter writer(file, ioBytes_);
    RunSink sink(writer, encoder_.KeyIsRecord());
    auto stretches = builder.SortedStretches();
    if (!MergeRuns(stretches, sink) || !writer.Flush() || !file.Close()) {
        failure = messages::kWriteFailed;
        failurePath = path;
        return false;
    }
    return true;
}

bool SortSession::WriteOutputFromMemory() {
    BufferedWriter writer(output_, ioBytes_);
    OutputSink sink(writer, lineEnd_);
    writer.Append(byteOrderMark_);
    auto stretches = builder_->SortedStretches();
    const bool written = MergeRuns(stretches, sink) && writer.Flush();
    stretches.clear();
    builder_.reset();
    if (!written) {
        failure_ = messages::kWriteFailed;
        failurePath_ = job_.outputPath;
        return false;
    }
    return true;
}

bool SortSession::MergeGroupIntoRun(std::size_t first, std::size_t last, std::size_t target) {
    const std::size_t memory = static_cast<std::size_t>(job_.memoryBytes);
    const std::size_t readerBytes =
        (memory > 2 * ioBytes_ ? memory - ioBytes_ : ioBytes_) / (last - first);
    std::vector<std::unique_ptr<ItemSource>> readers;
    for (std::size_t i = first; i < last; ++i) {
        const std::string path = TempFiles::RunPath(runs_[i]);
        auto reader = std::make_unique<RunReader>(
            path, encoder_.KeyIsRecord(), std::clamp(readerBytes, kMinIoBytes, kMaxIoBytes / 2));
        const bool opened = reader->Opened();
        readers.push_back(std::move(reader));
        if (!opened) {
            failure_ = messages::kReadFailed;
            failurePath_ = path;
            return false;
        }
    }
    const bool toOutput = target == std::numeric_limits<std::size_t>::max();
    const std::string path = toOutput ? outputTemp_ : TempFiles::RunPath(target);
    File runFile;
    if (!toOutput) {
        TempFiles::NoteRun(target);
        runFile = File::CreateNew(path);
        if (!runFile.IsOpen()) {
            failure_ = messages::kRunFileFailed;
            failurePath_ = path;
            return false;
        }
    }
    BufferedWriter writer(toOutput ? output_ : runFile, ioBytes_);
    OutputSink outputSink(writer, lineEnd_);
    RunSink runSink(writer, encoder_.KeyIsRecord());
    ItemSink& inner = toOutput ? static_cast<ItemSink&>(outputSink) : runSink;
    CountingSink sink(inner, *progress_, mergedItems_, mergeWork_);
    if (toOutput) {
        writer.Append(byteOrderMark_);
    }
    if (!MergeRuns(readers, sink)) {
        failure_ = writer.Ok() ? messages::kReadFailed : messages::kWriteFailed;
        failurePath_ = writer.Ok() ? std::string() : path;
        return false;
    }
    if (!writer.Flush() || (!toOutput && !runFile.Close())) {
        failure_ = messages::kWriteFailed;
        failurePath_ = path;
        return false;
    }
    readers.clear();
    for (std::size_t i = first; i < last; ++i) {
        RemoveFile(TempFiles::RunPath(runs_[i]));
    }
    return true;
}

bool SortSession::MergeRunsToOutput() {
    builder_.reset();
    spare_.reset();
    ReleaseFreeMemory();
    std::size_t fanIn = job_.maxMergeFanIn;
    if (fanIn == 0) {
        fanIn = std::clamp<std::size_t>(
            static_cast<std::size_t>(job_.memoryBytes) / kMergeBufferBytes, 2, kMaxFanIn);
    }
    const std::vector<MergeStep> steps = PlanMerges(runs_.size(), std::max<std::size_t>(fanIn, 2));
    mergeWork_ = MergeWork(runItems_, steps);
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        const std::size_t first = steps[i].first;
        const std::size_t last = first + steps[i].count;
        const std::size_t target = nextRun_++;
        if (!MergeGroupIntoRun(first, last, target)) {
            return false;
        }
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                    runs_.begin() + static_cast<std::ptrdiff_t>(last));
        runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), target);
    }
    ReleaseFreeMemory();
    if (!MergeGroupIntoRun(0, runs_.size(), std::numeric_limits<std::size_t>::max())) {
        return false;
    }
    runs_.clear();
    return true;
}

bool SortSession::Finish() {
    if (!output_.Close()) {
        failure_ = messages::kWriteFailed;
        failurePath_ = job_.outputPath;
        return false;
    }
    if (!MoveOverFile(outputTemp_, job_.outputPath)) {
        failure_ = messages::kReplaceFailed;
        failurePath_ = job_.outputPath;
        return false;
    }
    completed_ = true;
    return true;
}

}  // namespace orvanta::sorters
