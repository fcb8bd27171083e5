#include "sorters/run_reader.h"

#include <algorithm>

namespace orvanta::sorters {

RunReader::RunReader(const std::string& path, bool keyIsRecord, std::size_t windowBytes,
                     std::uint64_t begin, std::uint64_t end)
    : file_(File::OpenRead(path)),
      keyIsRecord_(keyIsRecord),
      windowBytes_(std::max(windowBytes, WindowAlignment())),
      fileBytes_(file_.IsOpen() ? file_.Size() : -1),
      next_(begin) {
    if (fileBytes_ >= 0) {
        end_ = std::min(end, static_cast<std::uint64_t>(fileBytes_));
    }
}

bool RunReader::Ensure(std::uint64_t at, std::size_t bytes) {
    if (at + bytes > end_) {
        return false;
    }
    if (window_.IsMapped() && at >= windowStart_ && at + bytes <= windowStart_ + window_.Size()) {
        return true;
    }
    const std::uint64_t start = at - at % WindowAlignment();
    const std::uint64_t wanted = std::max<std::uint64_t>(windowBytes_, at + bytes - start);
    const auto size = static_cast<std::size_t>(std::min(wanted, end_ - start));
    window_ = FileWindow();
    window_ = file_.Map(static_cast<std::int64_t>(start), size);
    windowStart_ = start;
    return window_.IsMapped();
}

bool RunReader::Next() {
    if (current_.record.data() != nullptr) {
        next_ += ItemBytes(current_, keyIsRecord_);
    }
    current_ = ItemView{};
    if (failed_ || fileBytes_ < 0 || next_ >= end_) {
        failed_ = failed_ || fileBytes_ < 0;
        return false;
    }
    // Neither a run nor a range read ends inside an item: a short header or body is a failure.
    if (!Ensure(next_, kItemHeaderBytes)) {
        failed_ = true;
        return false;
    }
    const ItemView sizes = ReadItem(window_.Data() + (next_ - windowStart_), keyIsRecord_);
    const std::size_t bytes =
        kItemHeaderBytes + (keyIsRecord_ ? 0 : sizes.key.size()) + sizes.record.size();
    if (!Ensure(next_, bytes)) {
        failed_ = true;
        return false;
    }
    current_ = ReadItem(window_.Data() + (next_ - windowStart_), keyIsRecord_);
    return true;
}

}  // namespace orvanta::sorters
