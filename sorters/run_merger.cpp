#include "sorters/run_merger.h"

#include <cstdint>

namespace orvanta::sorters {
namespace {

// A binary min-heap of stream indices, ordered by their current keys, then by index.
class RunHeap {
  public:
    explicit RunHeap(std::vector<std::unique_ptr<ItemSource>>& runs) : runs_(runs) {
        prefixes_.resize(runs.size());
    }

    void Push(std::size_t run) {
        prefixes_[run] = KeyPrefix(runs_[run]->Current().key);
        heap_.push_back(run);
        for (std::size_t i = heap_.size() - 1; i > 0 && Less(heap_[i], heap_[(i - 1) / 2]);
             i = (i - 1) / 2) {
            std::swap(heap_[i], heap_[(i - 1) / 2]);
        }
    }

    bool Empty() const { return heap_.empty(); }
    std::size_t Top() const { return heap_.front(); }

    // The top run has moved on: restore the order, or drop it when it has ended.
    void ReplaceTop(bool hasItem) {
        if (hasItem) {
            prefixes_[heap_.front()] = KeyPrefix(runs_[heap_.front()]->Current().key);
        } else {
            heap_.front() = heap_.back();
            heap_.pop_back();
        }
        SiftDown();
    }

  private:
    bool Less(std::size_t a, std::size_t b) const {
        if (prefixes_[a] != prefixes_[b]) {
            return prefixes_[a] < prefixes_[b];
        }
        const int order = CompareKeys(runs_[a]->Current().key, runs_[b]->Current().key);
        return order != 0 ? order < 0 : a < b;
    }

    void SiftDown() {
        const std::size_t size = heap_.size();
        std::size_t i = 0;
        for (;;) {
            const std::size_t left = 2 * i + 1;
            if (left >= size) {
                return;
            }
            std::size_t smallest = left;
            if (left + 1 < size && Less(heap_[left + 1], heap_[left])) {
                smallest = left + 1;
            }
            if (!Less(heap_[smallest], heap_[i])) {
                return;
            }
            std::swap(heap_[i], heap_[smallest]);
            i = smallest;
        }
    }

    std::vector<std::unique_ptr<ItemSource>>& runs_;
    std::vector<std::uint64_t> prefixes_;
    std::vector<std::size_t> heap_;
};

}  // namespace

bool MergeRuns(std::vector<std::unique_ptr<ItemSource>>& runs, ItemSink& sink) {
    RunHeap heap(runs);
    for (std::size_t run = 0; run < runs.size(); ++run) {
        if (runs[run]->Next()) {
            heap.Push(run);
        } else if (runs[run]->Failed()) {
            return false;
        }
    }
    while (!heap.Empty()) {
        ItemSource& reader = *runs[heap.Top()];
        if (!sink.Put(reader.Current())) {
            return false;
        }
        const bool hasItem = reader.Next();
        if (!hasItem && reader.Failed()) {
            return false;
        }
        heap.ReplaceTop(hasItem);
    }
    return true;
}

}  // namespace orvanta::sorters
