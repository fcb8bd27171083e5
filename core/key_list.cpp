#include "core/key_list.h"

#include <cstring>
#include <new>

namespace orvanta {

KeyList::AddResult KeyList::Add(const DisplayText& definition) {
    if (definition.empty()) {
        return AddResult::EmptyText;
    }
    if (count_ == kCapacity) {
        return AddResult::Full;
    }
    std::unique_ptr<char[]> entry(new (std::nothrow) char[definition.size() + 1]);
    if (!entry) {
        return AddResult::OutOfMemory;
    }
    std::memcpy(entry.get(), definition.c_str(), definition.size() + 1);
    slots_[count_++] = std::move(entry);
    return AddResult::Added;
}

void KeyList::Clear() {
    for (std::size_t slot = 0; slot < count_; ++slot) {
        slots_[slot].reset();
    }
    count_ = 0;
}

}  // namespace orvanta
