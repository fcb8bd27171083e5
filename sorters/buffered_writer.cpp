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

bool BufferedWriter::WriteBuffer() {
    if (!WaitForWrite() || used_ == 0) {
        used_ = 0;
        return ok_;
    }
    if (background_ == nullptr) {
        ok_ = file_.WriteAll(buffer_.get(), used_);
        used_ = 0;
        return ok_;
    }
    std::swap(buffer_, writing_);
    writeInHand_ = true;
    background_->Start(
        [this, size = used_] { backgroundOk_ = file_.WriteAll(writing_.get(), size); });
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
            ok_ = WaitForWrite() && file_.WriteAll(bytes.data(), bytes.size());
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
