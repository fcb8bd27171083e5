#pragma once
// Collects small writes into one buffer and hands the file large blocks.

#include <memory>
#include <string_view>

#include "sorters/file_io.h"

namespace orvanta::sorters {

class BufferedWriter {
  public:
    BufferedWriter(File& file, std::size_t bufferBytes);

    // False once a write to the file has failed; later calls then do nothing.
    bool Append(std::string_view bytes);
    bool Flush();
    bool Ok() const { return ok_; }

  private:
    File& file_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

}  // namespace orvanta::sorters
