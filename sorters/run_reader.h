#pragma once
// Reads the items of one run file in order through a buffer of its own.

#include <memory>
#include <string>

#include "sorters/file_io.h"
#include "sorters/item_source.h"

namespace orvanta::sorters {

class RunReader : public ItemSource {
  public:
    RunReader(const std::string& path, bool keyIsRecord, std::size_t bufferBytes);

    bool Opened() const { return file_.IsOpen(); }
    bool Next() override;
    const ItemView& Current() const override { return current_; }
    bool Failed() const override { return failed_; }

  private:
    // Makes at least `bytes` bytes available from pos_; false when the file ends first.
    bool Ensure(std::size_t bytes);

    File file_;
    const bool keyIsRecord_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    ItemView current_;
    bool failed_ = false;
};

}  // namespace orvanta::sorters
