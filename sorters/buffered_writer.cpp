#include "sorters/buffered_writer.h"

#include <cstring>

namespace orvanta::sorters {

BufferedWriter::BufferedWriter(File& file, std::size_t bufferBytes)
    : file_(file), capacity_(bufferBytes < 16 ? 16 : bufferBytes), buffer_(new char[capacity_]) {}

bool BufferedWriter::Append(std::string_view bytes) {
    if (!ok_) {
        return false;
    }
    if (used_ + bytes.size() > capacity_) {
        if (!Flush()) {
            return false;
        }
        if (bytes.size() > capacity_) {
            ok_ = file_.WriteAll(bytes.data(), bytes.size());
            return ok_;
        }
    }
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
    return true;
}

bool BufferedWriter::Flush() {
    if (ok_ && used_ > 0) {
        ok_ = file_.WriteAll(buffer_.get(), used_);
    }
    used_ = 0;
    return ok_;
}

}  // namespace orvanta::sorters
