#include "sorters/run_merger.h"

#include <cstdint>

namespace orvanta::sorters {
namespace {

// A tournament of the streams' current items: each inner node keeps the loser of the match
// played there, so an item taken costs one match per level on its stream's path alone. Items
// are compared by their cached prefixes first, then by key, then by stream index.
class LoserTree {
  public:
    explicit LoserTree(std::vector<std::unique_ptr<ItemSource>>& runs) : runs_(runs) {
        std::size_t width = 1;
        while (width < runs.size()) {
            width *= 2;
        }
        leaves_.resize(width);
        losers_.assign(width, kNone);
    }

    // Takes each stream's first item; false when a stream could not be read.
    bool Start() {
        for (std::size_t run = 0; run < leaves_.size(); ++run) {
            if (run < runs_.size() && !Advance(run)) {
                return false;
            }
            Enter(run);
        }
        return true;
    }

    bool Empty() const { return leaves_[losers_[0]].ended; }
    const ItemView& Top() const { return leaves_[losers_[0]].item; }

    // Moves the winning stream on and plays its next item up the tree; false on a read failure.
    bool Pop() {
        const std::size_t run = losers_[0];
        if (!Advance(run)) {
            return false;
        }
        Replay(run);
        return true;
    }

  private:
    static constexpr std::size_t kNone = SIZE_MAX;

    struct Leaf {
        std::uint64_t prefix = 0;
        ItemView item;
        bool ended = true;
    };

    bool Advance(std::size_t run) {
        Leaf& leaf = leaves_[run];
        ItemSource& source = *runs_[run];
        leaf.ended = !source.Next();
        if (leaf.ended) {
            return !source.Failed();
        }
        leaf.item = source.Current();
        leaf.prefix = KeyPrefix(leaf.item.key);
        return true;
    }

    bool Less(std::size_t a, std::size_t b) const {
        const Leaf& left = leaves_[a];
        const Leaf& right = leaves_[b];
        if (left.ended || right.ended) {
            return !left.ended || (right.ended && a < b);
        }
        if (left.prefix != right.prefix) {
            return left.prefix < right.prefix;
        }
        const int order = CompareKeys(left.item.key, right.item.key);
        return order != 0 ? order < 0 : a < b;
    }

    // While the tree is built, leaves enter in order; the first to reach an empty node waits
    // there for the winner of the node's other half.
    void Enter(std::size_t run) {
        std::size_t winner = run;
        for (std::size_t node = (run + leaves_.size()) / 2; node > 0; node /= 2) {
            if (losers_[node] == kNone) {
                losers_[node] = winner;
                return;
            }
            if (Less(losers_[node], winner)) {
                std::swap(losers_[node], winner);
            }
        }
        losers_[0] = winner;
    }

    void Replay(std::size_t run) {
        std::size_t winner = run;
        for (std::size_t node = (run + leaves_.size()) / 2; node > 0; node /= 2) {
            if (Less(losers_[node], winner)) {
                std::swap(losers_[node], winner);
            }
        }
        losers_[0] = winner;
    }

    std::vector<std::unique_ptr<ItemSource>>& runs_;
    std::vector<Leaf> leaves_;
    std::vector<std::size_t> losers_;  // [0] holds the overall winner
};

}  // namespace

bool MergeRuns(std::vector<std::unique_ptr<ItemSource>>& runs, ItemSink& sink) {
    if (runs.empty()) {
        return true;
    }
    LoserTree tree(runs);
    if (!tree.Start()) {
        return false;
    }
    while (!tree.Empty()) {
        if (!sink.Put(tree.Top()) || !tree.Pop()) {
            return false;
        }
    }
    return true;
}

bool CopyItems(ItemSource& source, ItemSink& sink) {
    while (source.Next()) {
        if (!sink.Put(source.Current())) {
            return false;
        }
    }
    return !source.Failed();
}

}  // namespace orvanta::sorters
