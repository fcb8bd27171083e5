#include "sorters/merge_stage.h"

#include <new>

#include "sorters/buffered_writer.h"
#include "sorters/item_sinks.h"
#include "sorters/merge_plan.h"
#include "sorters/messages.h"
#include "sorters/run_cut.h"
#include "sorters/run_reader.h"
#include "sorters/temp_files.h"

namespace orvanta::sorters {

MergeStage::MergeStage(const MemoryPlan& plan, bool keyIsRecord, OutputTarget output,
                       ProgressMeter& progress, Worker& helper)
    : plan_(plan),
      keyIsRecord_(keyIsRecord),
      output_(output),
      progress_(progress),
      helper_(helper) {}

bool MergeStage::FromMemory(RunBuilder& builder, SortFailure& failure) {
    // The helper sorts beside this thread, then writes the second half of the output while
    // this thread writes the first.
    RunBuilder::SortedHalves sorted = builder.Sorted(helper_);
    BufferedWriter firstWriter(output_.file, plan_.ioBytes);
    BufferedWriter secondWriter(output_.file, plan_.ioBytes);
    secondWriter.PlaceAt(output_.byteOrderMark.size() + sorted.beforeSecond.recordBytes +
                         sorted.beforeSecond.items * output_.lineEnd.size());
    bool secondOk = false;
    bool firstOk = false;
    helper_.RunBeside(
        [&] {
            OutputSink sink(secondWriter, output_.lineEnd);
            secondOk = CopyItems(*sorted.second, sink) && secondWriter.Flush();
        },
        [&] {
            firstWriter.PlaceAt(0);
            OutputSink sink(firstWriter, output_.lineEnd);
            firstWriter.Append(output_.byteOrderMark);
            firstOk = CopyItems(*sorted.first, sink) && firstWriter.Flush();
        });
    return (firstOk && secondOk) || failure.Set(messages::kWriteFailed, output_.shownPath);
}

bool MergeStage::FromRuns(RunSpiller& spiller, SortFailure& failure) {
    std::vector<std::uint64_t> items;
    for (RunFile& run : spiller.Runs()) {
        items.push_back(run.items);
        runs_.push_back(std::move(run));
    }
    spiller.Runs().clear();
    const std::vector<MergeStep> steps = PlanMerges(runs_.size(), plan_.fanIn);
    progress_.SetTotal(MergeWork(items, steps));
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        const std::size_t first = steps[i].first;
        const std::size_t last = first + steps[i].count;
        RunFile merged;
        merged.number = spiller.TakeRunNumber();
        if (!MergeToRun(first, last, merged, failure)) {
            return false;
        }
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                    runs_.begin() + static_cast<std::ptrdiff_t>(last));
        runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), std::move(merged));
    }
    ReleaseFreeMemory();
    if (!MergeToOutput(failure)) {
        return false;
    }
    runs_.clear();
    return true;
}

bool MergeStage::OpenReaders(std::size_t first, const std::vector<Range>& ranges,
                             std::size_t windowBytes, Readers& readers,
                             SortFailure& failure) const {
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const std::string path = TempFiles::RunPath(runs_[first + i].number);
        auto reader = std::make_unique<RunReader>(path, keyIsRecord_, windowBytes, ranges[i].begin,
                                                  ranges[i].end);
        const bool opened = reader->Opened();
        readers.push_back(std::move(reader));
        if (!opened) {
            return failure.Set(messages::kReadFailed, path);
        }
    }
    return true;
}

bool MergeStage::MergeToRun(std::size_t first, std::size_t last, RunFile& target,
                            SortFailure& failure) {
    Readers readers;
    const std::vector<Range> whole(last - first, Range{0, RunReader::kToTheEnd});
    if (!OpenReaders(first, whole, plan_.MergeReaderBytes(last - first), readers, failure)) {
        return false;
    }
    const std::string path = TempFiles::RunPath(target.number);
    TempFiles::NoteRun(target.number);
    File runFile = File::CreateNew(path);
    if (!runFile.IsOpen()) {
        return failure.Set(messages::kRunFileFailed, path);
    }
    for (std::size_t i = first; i < last; ++i) {
        target.items += runs_[i].items;
    }
    BufferedWriter writer(runFile, plan_.ioBytes, &helper_);
    RunSink runSink(writer, keyIsRecord_, target.index);
    {
        CountingSink sink(runSink, progress_);
        if (!MergeRuns(readers, sink)) {
            return writer.Ok() ? failure.Set(messages::kReadFailed)
                               : failure.Set(messages::kWriteFailed, path);
        }
    }
    if (!writer.Flush() || !runFile.Close()) {
        return failure.Set(messages::kWriteFailed, path);
    }
    readers.clear();
    RemoveRuns(first, last);
    return true;
}

bool MergeStage::MergeToOutput(SortFailure& failure) {
    std::vector<std::string> paths;
    for (const RunFile& run : runs_) {
        paths.push_back(TempFiles::RunPath(run.number));
    }
    const auto cuts = CutRuns(runs_, paths, keyIsRecord_);
    if (!cuts) {
        return failure.Set(messages::kReadFailed);
    }
    std::vector<Range> firstHalf;
    std::vector<Range> secondHalf;
    std::uint64_t secondOffset = output_.byteOrderMark.size();
    for (const RunCut& cut : *cuts) {
        firstHalf.push_back({0, cut.offset});
        secondHalf.push_back({cut.offset, RunReader::kToTheEnd});
        secondOffset += cut.recordBytes + cut.items * output_.lineEnd.size();
    }
    SortFailure secondFailure;
    HalfResult second = HalfResult::Failed;
    HalfResult first = HalfResult::Failed;
    helper_.RunBeside(
        [&] { second = MergeHalfGuarded(secondHalf, secondOffset, false, secondFailure); },
        [&] { first = MergeHalfGuarded(firstHalf, 0, true, failure); });
    // A half that was stopped failed only because the other one did, which gives the message.
    if (first == HalfResult::Failed) {
        return false;
    }
    if (second == HalfResult::Failed) {
        failure = secondFailure;
        return false;
    }
    RemoveRuns(0, runs_.size());
    return true;
}

MergeStage::HalfResult MergeStage::MergeHalfGuarded(const std::vector<Range>& ranges,
                                                    std::uint64_t outputOffset,
                                                    bool withByteOrderMark, SortFailure& failure) {
    HalfResult result = HalfResult::Failed;
    try {
        result = MergeHalf(ranges, outputOffset, withByteOrderMark, failure);
    } catch (const std::bad_alloc&) {
        failure.Set(messages::kOutOfMemory);
    }
    if (result == HalfResult::Failed) {
        progress_.Stop();
    }
    return result;
}

MergeStage::HalfResult MergeStage::MergeHalf(const std::vector<Range>& ranges,
                                             std::uint64_t outputOffset, bool withByteOrderMark,
                                             SortFailure& failure) {
    Readers readers;
    // The two halves' readers share the memory for reading.
    if (!OpenReaders(0, ranges, plan_.MergeReaderBytes(2 * ranges.size()), readers, failure)) {
        return HalfResult::Failed;
    }
    BufferedWriter writer(output_.file, plan_.ioBytes);
    writer.PlaceAt(outputOffset);
    OutputSink outputSink(writer, output_.lineEnd);
    if (withByteOrderMark) {
        writer.Append(output_.byteOrderMark);
    }
    bool merged = false;
    {
        CountingSink sink(outputSink, progress_);
        merged = MergeRuns(readers, sink);
    }
    if (merged && writer.Flush()) {
        return HalfResult::Done;
    }
    if (!writer.Ok()) {
        failure.Set(messages::kWriteFailed, output_.path);
        return HalfResult::Failed;
    }
    for (const auto& reader : readers) {
        if (reader->Failed()) {
            failure.Set(messages::kReadFailed);
            return HalfResult::Failed;
        }
    }
    // Neither a write nor a read failed: the sink refused because the other half failed.
    return HalfResult::Stopped;
}

void MergeStage::RemoveRuns(std::size_t first, std::size_t last) const {
    for (std::size_t i = first; i < last; ++i) {
        RemoveFile(TempFiles::RunPath(runs_[i].number));
    }
}

}  // namespace orvanta::sorters
