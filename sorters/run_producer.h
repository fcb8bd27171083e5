#pragma once
// Reads the input's records, encodes their keys and gathers them in memory, handing each
// filled run over to be spilled; the records of the last run stay in memory.

#include <cstdint>
#include <memory>
#include <string>

#include "sorters/file_io.h"
#include "sorters/key_encoder.h"
#include "sorters/progress.h"
#include "sorters/run_builder.h"
#include "sorters/run_spiller.h"
#include "sorters/sort_failure.h"
#include "sorters/sort_job.h"

namespace orvanta::sorters {

class RunProducer {
  public:
    RunProducer(const SortJob& job, KeyEncoder& encoder, std::size_t ioBytes, std::size_t runBytes);

    bool ReadAll(File& input, RunSpiller& spiller, ProgressMeter& progress, SortFailure& failure);

    std::unique_ptr<RunBuilder>& LastRun() { return builder_; }
    std::uint64_t Records() const { return records_; }
    const std::string& ByteOrderMark() const { return byteOrderMark_; }
    const std::string& LineEnd() const { return lineEnd_; }

  private:
    const SortJob& job_;
    KeyEncoder& encoder_;
    const std::size_t ioBytes_;
    std::unique_ptr<RunBuilder> builder_;
    std::uint64_t records_ = 0;
    std::string byteOrderMark_;
    std::string lineEnd_;
};

}  // namespace orvanta::sorters
