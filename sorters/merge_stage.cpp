#include "sorters/merge_stage.h"

#include <memory>

#include "sorters/buffered_writer.h"
#include "sorters/item_sinks.h"
#include "sorters/merge_plan.h"
#include "sorters/messages.h"
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
    BufferedWriter writer(output_.file, plan_.ioBytes, &helper_);
    OutputSink sink(writer, output_.lineEnd);
    writer.Append(output_.byteOrderMark);
    auto sorted = builder.Sorted(helper_);
    const bool written = CopyItems(*sorted, sink) && writer.Flush();
    return written || failure.Set(messages::kWriteFailed, output_.shownPath);
}

bool MergeStage::FromRuns(RunSpiller& spiller, SortFailure& failure) {
    std::vector<std::uint64_t> items;
    for (const RunFile& run : spiller.Runs()) {
        runs_.push_back(run.number);
        items.push_back(run.items);
    }
    const std::vector<MergeStep> steps = PlanMerges(runs_.size(), plan_.fanIn);
    mergeWork_ = MergeWork(items, steps);
    for (std::size_t i = 0; i + 1 < steps.size(); ++i) {
        const std::size_t first = steps[i].first;
        const std::size_t last = first + steps[i].count;
        const std::size_t target = spiller.TakeRunNumber();
        if (!MergeGroup(first, last, target, false, failure)) {
            return false;
        }
        runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
                    runs_.begin() + static_cast<std::ptrdiff_t>(last));
        runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), target);
    }
    ReleaseFreeMemory();
    if (!MergeGroup(0, runs_.size(), 0, true, failure)) {
        return false;
    }
    runs_.clear();
    return true;
}

bool MergeStage::MergeGroup(std::size_t first, std::size_t last, std::size_t target, bool toOutput,
                            SortFailure& failure) {
    std::vector<std::unique_ptr<ItemSource>> readers;
    const std::size_t readerBytes = plan_.MergeReaderBytes(last - first);
    for (std::size_t i = first; i < last; ++i) {
        const std::string path = TempFiles::RunPath(runs_[i]);
        auto reader = std::make_unique<RunReader>(path, keyIsRecord_, readerBytes);
        const bool opened = reader->Opened();
        readers.push_back(std::move(reader));
        if (!opened) {
            return failure.Set(messages::kReadFailed, path);
        }
    }
    const std::string path = toOutput ? output_.path : TempFiles::RunPath(target);
    File runFile;
    if (!toOutput) {
        TempFiles::NoteRun(target);
        runFile = File::CreateNew(path);
        if (!runFile.IsOpen()) {
            return failure.Set(messages::kRunFileFailed, path);
        }
    }
    BufferedWriter writer(toOutput ? output_.file : runFile, plan_.ioBytes, &helper_);
    OutputSink outputSink(writer, output_.lineEnd);
    RunSink runSink(writer, keyIsRecord_);
    ItemSink& inner = toOutput ? static_cast<ItemSink&>(outputSink) : runSink;
    CountingSink sink(inner, progress_, mergedItems_, mergeWork_);
    if (toOutput) {
        writer.Append(output_.byteOrderMark);
    }
    if (!MergeRuns(readers, sink)) {
        return writer.Ok() ? failure.Set(messages::kReadFailed)
                           : failure.Set(messages::kWriteFailed, path);
    }
    if (!writer.Flush() || (!toOutput && !runFile.Close())) {
        return failure.Set(messages::kWriteFailed, path);
    }
    readers.clear();
    for (std::size_t i = first; i < last; ++i) {
        RemoveFile(TempFiles::RunPath(runs_[i]));
    }
    return true;
}

}  // namespace orvanta::sorters
