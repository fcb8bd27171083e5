#include "sorters/record_reader.h"

#include <cstring>

#include "sorters/byte_search.h"

namespace orvanta::sorters {
namespace {

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr char kUtf16Mark[] = "\xFF\xFE";

unsigned UnitAt(const char* data) {
    return static_cast<unsigned char>(data[0]) | (static_cast<unsigned char>(data[1]) << 8);
}

std::size_t CountQuotes(const char* data, std::size_t size) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < size; ++i) {
        count += data[i] == '"' ? 1 : 0;
    }
    return count;
}

}  // namespace

RecordReader::RecordReader(File& file, bool csv, bool utf16, std::size_t bufferBytes)
    : file_(file),
      csv_(csv),
      utf16_(utf16),
      unit_(utf16 ? 2 : 1),
      capacity_(bufferBytes < 16 ? 16 : bufferBytes),
      buffer_(new char[capacity_]) {}

bool RecordReader::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
        scan_ -= begin_;
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == capacity_) {
        // One record fills the buffer: make room for the rest of it.
        const std::size_t grown = capacity_ * 2;
        std::unique_ptr<char[]> larger(new char[grown]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ = grown;
    }
    const std::int64_t count = file_.Read(buffer_.get() + end_, capacity_ - end_);
    if (count < 0) {
        return false;
    }
    atEnd_ = count == 0;
    end_ += static_cast<std::size_t>(count);
    bytesRead_ += static_cast<std::uint64_t>(count);
    return true;
}

std::size_t RecordReader::FindRecordEnd() {
    char* data = buffer_.get();
    if (utf16_) {
        for (; scan_ + 1 < end_; scan_ += 2) {
            const unsigned unit = UnitAt(data + scan_);
            if (csv_ && unit == '"') {
                insideQuotes_ = !insideQuotes_;
            } else if (unit == '\n' && !insideQuotes_) {
                return scan_;
            }
        }
        return std::string::npos;
    }
    while (scan_ < end_) {
        const std::size_t lineFeed =
            static_cast<std::size_t>(FindByte(data + scan_, data + end_, '\n') - data);
        const bool found = lineFeed != end_;
        // Most lines hold no quote at all, which a search finds fastest.
        if (csv_ && FindByte(data + scan_, data + lineFeed, '"') != data + lineFeed) {
            recordHoldsQuote_ = true;
            if (CountQuotes(data + scan_, lineFeed - scan_) % 2 != 0) {
                insideQuotes_ = !insideQuotes_;
            }
        }
        scan_ = lineFeed;
        if (!found) {
            break;
        }
        if (!insideQuotes_) {
            return lineFeed;
        }
        ++scan_;
    }
    return std::string::npos;
}

std::string_view RecordReader::Take(std::size_t lineFeed) {
    const char* data = buffer_.get();
    std::size_t recordEnd = lineFeed;
    const bool carriageReturn =
        recordEnd - begin_ >= unit_ &&
        (utf16_ ? UnitAt(data + recordEnd - 2) == '\r' : data[recordEnd - 1] == '\r');
    if (carriageReturn) {
        recordEnd -= unit_;
    }
    if (!firstTaken_) {
        firstTaken_ = true;
        firstLineEnd_.assign(data + recordEnd, lineFeed + unit_ - recordEnd);
    }
    const std::string_view record(data + begin_, recordEnd - begin_);
    begin_ = scan_ = lineFeed + unit_;
    insideQuotes_ = false;
    return record;
}

RecordReader::Status RecordReader::Next(std::string_view& record) {
    for (;;) {
        if (!started_) {
            // Read until the mark can be recognised or the file ends.
            while (!atEnd_ && end_ < 3) {
                if (!Fill()) {
                    return Status::Error;
                }
            }
            started_ = true;
            const std::string_view mark =
                utf16_ ? std::string_view(kUtf16Mark, 2) : std::string_view(kUtf8Mark, 3);
            if (std::string_view(buffer_.get(), end_).substr(0, mark.size()) == mark) {
                byteOrderMark_ = mark;
                begin_ = scan_ = mark.size();
            }
        }
        if (scan_ == begin_) {
            recordHoldsQuote_ = false;
        }
        const std::size_t lineFeed = FindRecordEnd();
        if (lineFeed != std::string::npos) {
            record = Take(lineFeed);
            return Status::Record;
        }
        if (atEnd_) {
            if (begin_ == end_) {
                return Status::End;
            }
            // The last line has no line end: it is a record as it stands.
            record = std::string_view(buffer_.get() + begin_, end_ - begin_);
            firstTaken_ = true;
            begin_ = scan_ = end_;
            return Status::Record;
        }
        if (!Fill()) {
            return Status::Error;
        }
    }
}

}  // namespace orvanta::sorters
