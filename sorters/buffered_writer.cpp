#include "sorters/buffered_writer.h"

#include <utility>

namespace orvanta::sorters {

BufferedWriter::BufferedWriter(File& file, std::size_t bufferBytes, Worker* background)
    : file_(file),
      capacity_(bufferBytes < 16 ? 16 : bufferBytes),
      buffer_(new char[capacity_]),
      writing_(background != nullptr ? new char[capacity_] : nullptr),
      background_(background) {}

BufferedWriter::~BufferedWriter() {
    WaitForWrite();
}

bool BufferedWriter::WaitForWrite() {
    if (writeInHand_) {
        background_->Wait();
        writeInHand_ = false;
        ok_ = ok_ && backgroundOk_;
    }
    return ok_;
}

bool BufferedWriter::Write(const char* data, std::size_t size, std::uint64_t position) {
    return positioned_ ? file_.WriteAllAt(position, data, size) : file_.WriteAll(data, size);
}

bool BufferedWriter::WriteBuffer() {
    if (!WaitForWrite() || used_ == 0) {
        used_ = 0;
        return ok_;
    }
    const std::uint64_t position = position_;
    position_ += used_;
    if (background_ == nullptr) {
        ok_ = Write(buffer_.get(), used_, position);
        used_ = 0;
        return ok_;
    }
    std::swap(buffer_, writing_);
    writeInHand_ = true;
    background_->Start(
        [this, size = used_, position] { backgroundOk_ = Write(writing_.get(), size, position); });
    used_ = 0;
    return true;
}

bool BufferedWriter::AppendOverflowing(std::string_view bytes) {
    if (!ok_) {
        return false;
    }
    if (used_ + bytes.size() > capacity_) {
        if (!WriteBuffer()) {
            return false;
        }
        if (bytes.size() > capacity_) {
            ok_ = WaitForWrite() && Write(bytes.data(), bytes.size(), position_);
            position_ += bytes.size();
            return ok_;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
}

bool BufferedWriter::Flush() {
    return WriteBuffer() && WaitForWrite();
}

bool BufferedWriter::Ok() {
    return WaitForWrite();
}

}  // namespace orvanta::sorters
