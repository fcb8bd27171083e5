#include "core/command_buffer.h"

#include <cstring>

#include "core/sjis.h"

namespace orvanta {

void CommandBuffer::Reset() {
    size_ = 0;
    text_[0] = '\0';
    tooLong_ = false;
}

void CommandBuffer::Append(std::string_view piece) {
    if (tooLong_) {
        return;
    }
    const std::size_t room = kMaxCommandBytes - size_;
    std::size_t take = piece.size();
    if (take > room) {
        take = CharacterBoundaryPrefix(piece, room);
        tooLong_ = true;
    }
    std::memcpy(text_ + size_, piece.data(), take);
    size_ += take;
    text_[size_] = '\0';
}

}  // namespace orvanta
