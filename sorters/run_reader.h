#pragma once
// Reads the items of one run file in order, through a window of the file mapped into memory
// that moves along it: items are used where they lie, never copied out.

#include <cstdint>
#include <string>

#include "sorters/file_io.h"
#include "sorters/item_source.h"

namespace orvanta::sorters {

class RunReader : public ItemSource {
  public:
    static constexpr std::uint64_t kToTheEnd = UINT64_MAX;

    // `windowBytes`: how much of the file is mapped at a time. Reads the items in file bytes
    // [begin, end), which start and end at item boundaries.
    RunReader(const std::string& path, bool keyIsRecord, std::size_t windowBytes,
              std::uint64_t begin = 0, std::uint64_t end = kToTheEnd);

    bool Opened() const { return file_.IsOpen() && fileBytes_ >= 0; }
    bool Next() override;
    const ItemView& Current() const override { return current_; }
    bool Failed() const override { return failed_; }

  private:
    // Makes file bytes [at, at + bytes) visible in the window; false when the range read ends
    // first or the mapping fails.
    bool Ensure(std::uint64_t at, std::size_t bytes);

    File file_;
    const bool keyIsRecord_;
    const std::size_t windowBytes_;
    const std::int64_t fileBytes_;
    std::uint64_t end_ = 0;
    FileWindow window_;
    std::uint64_t windowStart_ = 0;  // the file offset of the window's first byte
    std::uint64_t next_ = 0;         // the file offset of the next item
    ItemView current_;
    bool failed_ = false;
};

}  // namespace orvanta::sorters
