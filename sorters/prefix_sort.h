#pragma once
// Sorts entries in place by their keys and, among equal keys, by input order: a radix sort on
// the key prefix, byte by byte, then a comparison sort only inside groups too small to split
// further or whose prefixes are all alike. It needs no memory beyond the entries.

#include <cstddef>

#include "sorters/sort_entry.h"
#include "sorters/worker.h"

namespace orvanta::sorters {

void SortEntries(SortEntry* begin, SortEntry* end, bool keyIsRecord);

// The same, with `helper` sorting half of the groups beside the calling thread.
void SortEntries(SortEntry* begin, SortEntry* end, bool keyIsRecord, Worker& helper);

}  // namespace orvanta::sorters
