#pragma once
// Collects small writes into one buffer and hands the file large blocks. Given a thread of
// its own, it fills a second buffer while that thread writes the first.

#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

#include "sorters/byte_search.h"
#include "sorters/file_io.h"
#include "sorters/worker.h"

namespace orvanta::sorters {

class BufferedWriter {
  public:
    // `background`, if any, must be idle for as long as this writer lives.
    BufferedWriter(File& file, std::size_t bufferBytes, Worker* background = nullptr);
    // Waits for a write in hand; unflushed bytes are dropped.
    ~BufferedWriter();
    BufferedWriter(const BufferedWriter&) = delete;
    BufferedWriter& operator=(const BufferedWriter&) = delete;

    // False once a write to the file has failed; later calls then do nothing.
    bool Append(std::string_view bytes) {
        // Most appends are small and fit: only a full buffer leaves this line.
        if (ok_ && bytes.size() <= capacity_ - used_) {
            CopyBytes(buffer_.get() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
            return true;
        }
        return AppendOverflowing(bytes);
    }
    // Writes from file offset `offset` on, by position, instead of at the file position: for
    // writers that fill parts of one file side by side. Before the first append.
    void PlaceAt(std::uint64_t offset) {
        positioned_ = true;
        position_ = offset;
    }
    // Writes everything appended so far; true once it is all in the file.
    bool Flush();
    bool Ok();

  private:
    bool AppendOverflowing(std::string_view bytes);
    // Hands the filled buffer over to be written, after the write before it has ended.
    bool WriteBuffer();
    bool WaitForWrite();
    // Writes `size` bytes where this writer's next bytes go.
    bool Write(const char* data, std::size_t size, std::uint64_t position);

    File& file_;
    std::size_t capacity_;
    std::unique_ptr<char[]> buffer_;
    std::unique_ptr<char[]> writing_;  // with a background thread: the buffer it writes
    std::size_t used_ = 0;
    Worker* background_;
    bool writeInHand_ = false;
    bool backgroundOk_ = true;
    bool ok_ = true;
    bool positioned_ = false;
    std::uint64_t position_ = 0;  // when positioned: where the next write goes
};

}  // namespace orvanta::sorters
