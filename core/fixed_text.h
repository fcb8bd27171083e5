#pragma once
// A text of at most Width bytes in a store of Width + 1, as read from a control with that width.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace orvanta {

template <std::size_t Width>
class FixedText {
  public:
    static constexpr std::size_t kWidth = Width;

    FixedText() = default;
    // Takes at most Width bytes of `text`, up to its first zero byte; the rest takes no part,
    // as with a bounded read of a zero-terminated text.
    FixedText(std::string_view text) { Assign(text); }  // NOLINT: converting on purpose
    FixedText& operator=(std::string_view text) {
        Assign(text);
        return *this;
    }

    void Assign(std::string_view text) {
        text = text.substr(0, text.find('\0'));
        size_ = text.size() < Width ? text.size() : Width;
        std::memcpy(bytes_, text.data(), size_);
        bytes_[size_] = '\0';
    }

    const char* c_str() const { return bytes_; }
    std::string_view view() const { return {bytes_, size_}; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

  private:
    char bytes_[Width + 1] = {};
    std::size_t size_ = 0;
};

}  // namespace orvanta
