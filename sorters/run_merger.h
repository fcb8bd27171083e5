#pragma once
// Merges sorted streams into one. Of items with equal keys the one from the earlier stream
// comes first, so a merge of streams in input order stays stable.

#include <memory>
#include <vector>

#include "sorters/item_source.h"

namespace orvanta::sorters {

class ItemSink {
  public:
    virtual ~ItemSink() = default;
    virtual bool Put(const ItemView& item) = 0;
};

// False when a stream could not be read or the sink refused an item.
bool MergeRuns(std::vector<std::unique_ptr<ItemSource>>& runs, ItemSink& sink);

// Passes the items of one sorted stream on; false as MergeRuns.
bool CopyItems(ItemSource& source, ItemSink& sink);

}  // namespace orvanta::sorters
