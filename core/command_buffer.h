#pragma once
// The page's command store: at most 4,095 bytes of command and a terminator.

#include <cstddef>
#include <string_view>

namespace orvanta {

class CommandBuffer {
  public:
    static constexpr std::size_t kSize = 4096;
    static constexpr std::size_t kMaxCommandBytes = kSize - 1;

    void Reset();
    // Appends the piece whole when it fits. Otherwise appends what fits without splitting a
    // two-byte character, marks the command as too long and ignores every later piece, so the
    // store always holds a clean prefix of the command.
    void Append(std::string_view piece);

    const char* c_str() const { return text_; }
    std::string_view view() const { return {text_, size_}; }
    // True when the command did not fit: what the store holds is not the whole command.
    bool tooLong() const { return tooLong_; }

  private:
    char text_[kSize] = {};
    std::size_t size_ = 0;
    bool tooLong_ = false;
};

}  // namespace orvanta
