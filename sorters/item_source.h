#pragma once
// A sorted stream of items: a run file being read, or the sorted records of a run in memory.

#include "sorters/sort_item.h"

namespace orvanta::sorters {

class ItemSource {
  public:
    virtual ~ItemSource() = default;
    // Moves to the next item; false at the end or on a failure (Failed()).
    virtual bool Next() = 0;
    virtual const ItemView& Current() const = 0;
    virtual bool Failed() const { return false; }
};

}  // namespace orvanta::sorters
