#include "sorters/run_reader.h"

#include <cstring>

namespace orvanta::sorters {

RunReader::RunReader(const std::string& path, bool keyIsRecord, std::size_t bufferBytes)
    : file_(File::OpenRead(path)),
      keyIsRecord_(keyIsRecord),
      capacity_(bufferBytes < kItemHeaderBytes * 2 ? kItemHeaderBytes * 2 : bufferBytes),
      buffer_(new char[capacity_]) {}

bool RunReader::Ensure(std::size_t bytes) {
    if (end_ - pos_ >= bytes) {
        return true;
    }
    std::memmove(buffer_.get(), buffer_.get() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    if (bytes > capacity_) {
        // An item larger than the buffer: hold it whole.
        std::unique_ptr<char[]> larger(new char[bytes]);
        std::memcpy(larger.get(), buffer_.get(), end_);
        buffer_ = std::move(larger);
        capacity_ = bytes;
    }
    while (end_ < bytes) {
        const std::int64_t count = file_.Read(buffer_.get() + end_, capacity_ - end_);
        if (count <= 0) {
            failed_ = count < 0 || end_ != 0;  // a run never ends inside an item
            return false;
        }
        end_ += static_cast<std::size_t>(count);
    }
    return true;
}

bool RunReader::Next() {
    pos_ += current_.record.data() == nullptr ? 0 : ItemBytes(current_, keyIsRecord_);
    current_ = ItemView{};
    if (!Ensure(kItemHeaderBytes)) {
        return false;
    }
    const ItemView sizes = ReadItem(buffer_.get() + pos_, keyIsRecord_);
    // The header alone has been checked; the sizes give the whole item.
    const std::size_t bytes =
        kItemHeaderBytes + (keyIsRecord_ ? 0 : sizes.key.size()) + sizes.record.size();
    if (!Ensure(bytes)) {
        failed_ = true;
        return false;
    }
    current_ = ReadItem(buffer_.get() + pos_, keyIsRecord_);
    return true;
}

}  // namespace orvanta::sorters
