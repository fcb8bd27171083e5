#pragma once
// Merges sorted runs into one stream of items. Of items with equal keys the one from the
// earlier run comes first, so a merge of runs in input order stays stable.

#include <memory>
#include <vector>

#include "sorters/run_reader.h"

namespace orvanta::sorters {

class ItemSink {
  public:
    virtual ~ItemSink() = default;
    virtual bool Put(const ItemView& item) = 0;
};

// False when a run could not be read or the sink refused an item.
bool MergeRuns(std::vector<std::unique_ptr<RunReader>>& runs, ItemSink& sink);

}  // namespace orvanta::sorters
