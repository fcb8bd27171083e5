#include "sorters/run_producer.h"

#include <cstring>
#include <limits>

#include "core/utf16_to_ansi.h"
#include "sorters/messages.h"
#include "sorters/record_reader.h"

namespace orvanta::sorters {

RunProducer::RunProducer(const SortJob& job, KeyEncoder& encoder, std::size_t ioBytes,
                         std::size_t runBytes)
    : job_(job),
      encoder_(encoder),
      ioBytes_(ioBytes),
      builder_(std::make_unique<RunBuilder>(runBytes, encoder.KeyIsRecord())) {}

bool RunProducer::ReadAll(File& input, RunSpiller& spiller, ProgressMeter& progress,
                          SortFailure& failure) {
    RecordReader reader(input, job_.kind == SorterKind::Csv, job_.utf16, ioBytes_);
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
            encoder_.Encode(record, key, reader.RecordMayHoldQuote());
        }
        if (record.size() > std::numeric_limits<std::uint32_t>::max() ||
            key.size() > std::numeric_limits<std::uint32_t>::max()) {
            return failure.Set(messages::kRecordTooLong);
        }
        if (!builder_->Add(key, record)) {
            if (!spiller.Spill(builder_, failure)) {
                return false;
            }
            builder_->Add(key, record);
        }
        if (++records_ % progress.Step() == 0) {
            progress.Reading(reader.BytesRead());
        }
    }
    if (status == RecordReader::Status::Error) {
        return failure.Set(messages::kReadFailed, job_.inputPath);
    }
    byteOrderMark_ = reader.ByteOrderMark();
    lineEnd_ = reader.FirstLineEnd();
    return true;
}

}  // namespace orvanta::sorters
