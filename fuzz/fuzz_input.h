#pragma once
// Splits a fuzzer's bytes into the pieces a target needs.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta::fuzz {

class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // A piece of at most `limit` bytes, its length taken from the next byte.
    std::string_view Piece(std::size_t limit = 255) {
        std::size_t length = Byte();
        length = length < limit ? length : limit;
        length = length < rest_.size() ? length : rest_.size();
        std::string_view piece = rest_.substr(0, length);
        rest_.remove_prefix(length);
        return piece;
    }

    std::string_view Rest() const { return rest_; }

  private:
    std::string_view rest_;
};

}  // namespace orvanta::fuzz
