#pragma once
// The ordered key definitions added on one page: 256 slots, occupied from slot 0 on.

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

#include "core/page_settings.h"

namespace orvanta {

class KeyList {
  public:
    static constexpr std::size_t kCapacity = 256;

    enum class AddResult {
        Added,
        EmptyText,    // nothing to add; the list is unchanged
        Full,         // all slots are taken; the list is unchanged
        OutOfMemory,  // the entry's copy could not be allocated; the list is unchanged
    };

    // Stores a copy of the text, allocated at exactly its length plus one, in the first empty slot.
    AddResult Add(const DisplayText& definition);
    void Clear();

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](std::size_t slot) const { return slots_[slot].get(); }

    class Iterator {
      public:
        Iterator(const KeyList& list, std::size_t slot) : list_(list), slot_(slot) {}
        std::string_view operator*() const { return list_[slot_]; }
        Iterator& operator++() {
            ++slot_;
            return *this;
        }
        bool operator!=(const Iterator& other) const { return slot_ != other.slot_; }

      private:
        const KeyList& list_;
        std::size_t slot_;
    };
    Iterator begin() const { return {*this, 0}; }
    Iterator end() const { return {*this, count_}; }

  private:
    std::array<std::unique_ptr<char[]>, kCapacity> slots_;
    std::size_t count_ = 0;
};

}  // namespace orvanta
