#include "sorters/run_reader.h"

#include <algorithm>

namespace orvanta::sorters {

RunReader::RunReader(const std::string& path, bool keyIsRecord, std::size_t windowBytes)
    : file_(File::OpenRead(path)),
      keyIsRecord_(keyIsRecord),
      windowBytes_(std::max(windowBytes, WindowAlignment())),
      fileBytes_(file_.IsOpen() ? file_.Size() : -1) {}

bool RunReader::Ensure(std::uint64_t at, std::size_t bytes) {
    const auto fileBytes = static_cast<std::uint64_t>(fileBytes_);
    if (at + bytes > fileBytes) {
        return false;
    }
    if (window_.IsMapped() && at >= windowStart_ && at + bytes <= windowStart_ + window_.Size()) {
        return true;
    }
    const std::uint64_t start = at - at % WindowAlignment();
    const std::uint64_t wanted = std::max<std::uint64_t>(windowBytes_, at + bytes - start);
    const auto size = static_cast<std::size_t>(std::min(wanted, fileBytes - start));
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
    if (failed_ || fileBytes_ < 0 || next_ >= static_cast<std::uint64_t>(fileBytes_)) {
        failed_ = failed_ || fileBytes_ < 0;
        return false;
    }
    // A run never ends inside an item: a short header or body is a failure.
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
