#pragma once
// Splits an input file into records. A record ends at a line feed (the unit 0x000A in UTF-16
// input); a carriage return right before it belongs to the line end; a last line without a
// line end is a record too. For CSV, a line feed inside double quotes (the flag flips at every
// quote) does not end the record. A byte-order mark at the start belongs to no record.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "sorters/file_io.h"

namespace orvanta::sorters {

class RecordReader {
  public:
    enum class Status { Record, End, Error };

    RecordReader(File& file, bool csv, bool utf16, std::size_t bufferBytes);

    // The next record without its line end, valid until the next call.
    Status Next(std::string_view& record);

    // The byte-order mark the input began with, or empty.
    std::string_view ByteOrderMark() const { return byteOrderMark_; }
    // The line end of the first record; empty when the first record ended the file.
    std::string_view FirstLineEnd() const { return firstLineEnd_; }
    std::uint64_t BytesRead() const { return bytesRead_; }
    // Whether the record last given may hold a double quote: false only for a CSV record
    // seen to hold none.
    bool RecordMayHoldQuote() const { return !csv_ || utf16_ || recordHoldsQuote_; }

  private:
    bool Fill();
    // Position of the line feed that ends the record, scanning on from scan_; npos if none yet.
    std::size_t FindRecordEnd();
    std::string_view Take(std::size_t lineFeed);

    File& file_;
    const bool csv_;
    const bool utf16_;
    const std::size_t unit_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t begin_ = 0;  // start of the current record
    std::size_t scan_ = 0;   // where the search for its end goes on
    std::size_t end_ = 0;    // bytes held
    bool insideQuotes_ = false;
    bool recordHoldsQuote_ = false;  // in the bytes from begin_ to scan_
    bool atEnd_ = false;
    bool started_ = false;
    bool firstTaken_ = false;
    std::string byteOrderMark_;
    std::string firstLineEnd_;
    std::uint64_t bytesRead_ = 0;
};

}  // namespace orvanta::sorters
