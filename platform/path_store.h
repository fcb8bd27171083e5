#pragma once
// The 260-byte result store of a picker or the folder browser: at most 259 bytes and a zero.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace orvanta {

class PathStore {
  public:
    static constexpr std::size_t kSize = 260;
    static constexpr std::size_t kMaxBytes = kSize - 1;

    void Clear() { bytes_[0] = '\0'; }
    // Stores the text whole, or leaves the store unchanged and returns false when it does
    // not fit.
    bool Assign(std::string_view text) {
        if (text.size() > kMaxBytes) {
            return false;
        }
        std::memcpy(bytes_, text.data(), text.size());
        bytes_[text.size()] = '\0';
        return true;
    }
    std::size_t size() const { return std::strlen(bytes_); }
    const char* c_str() const { return bytes_; }

  private:
    char bytes_[kSize] = {};
};

}  // namespace orvanta
