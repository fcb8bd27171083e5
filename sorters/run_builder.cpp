#include "sorters/run_builder.h"

#include <algorithm>
#include <atomic>
#include <thread>

#if defined(_MSC_VER)
#include <xmmintrin.h>
#endif

namespace orvanta::sorters {
namespace {

// Below this many records one thread sorts faster than two.
constexpr std::size_t kParallelThreshold = 1u << 16;
// Records in one sorted stretch: small enough that sorting stays within the caches' reach.
constexpr std::size_t kStretchEntries = std::size_t{1} << 19;

std::size_t ChooseBlockBytes(std::size_t budget) {
    const std::size_t block = budget / 16;
    return std::clamp<std::size_t>(block, std::size_t{64} << 10, std::size_t{16} << 20);
}

constexpr std::ptrdiff_t kPrefetchAhead = 8;

void Prefetch(const char* address) {
#if defined(_MSC_VER)
    _mm_prefetch(address, _MM_HINT_T0);
#else
    __builtin_prefetch(address);
#endif
}

}  // namespace

RunBuilder::RunBuilder(std::size_t budgetBytes, bool keyIsRecord)
    : budget_(budgetBytes), keyIsRecord_(keyIsRecord), blockBytes_(ChooseBlockBytes(budgetBytes)) {}

bool RunBuilder::Less(const Entry& a, const Entry& b, bool keyIsRecord) {
    if (a.prefix != b.prefix) {
        return a.prefix < b.prefix;
    }
    const int order =
        CompareKeys(ReadItem(a.item, keyIsRecord).key, ReadItem(b.item, keyIsRecord).key);
    return order != 0 ? order < 0 : a.sequence < b.sequence;
}

std::size_t RunBuilder::BytesInUse() const {
    return blockBytesTotal_ + entries_.capacity() * sizeof(Entry);
}

char* RunBuilder::Allocate(std::size_t bytes) {
    if (!blocks_.empty() && blockUsed_ + bytes <= blockSizes_[current_]) {
        char* place = blocks_[current_].get() + blockUsed_;
        blockUsed_ += bytes;
        return place;
    }
    // A block kept from the last run, else a new one.
    if (current_ + 1 < blocks_.size() && bytes <= blockSizes_[current_ + 1]) {
        ++current_;
        blockUsed_ = bytes;
        return blocks_[current_].get();
    }
    const std::size_t size = std::max(bytes, blockBytes_);
    if (!entries_.empty() && BytesInUse() + size > budget_) {
        return nullptr;
    }
    // A kept block too small for this record gives its place to a new one.
    while (blocks_.size() > current_ + 1) {
        blockBytesTotal_ -= blockSizes_.back();
        blocks_.pop_back();
        blockSizes_.pop_back();
    }
    blocks_.emplace_back(new char[size]);
    blockSizes_.push_back(size);
    blockBytesTotal_ += size;
    current_ = blocks_.size() - 1;
    blockUsed_ = bytes;
    return blocks_.back().get();
}

bool RunBuilder::Add(std::string_view key, std::string_view record) {
    if (entries_.size() == entries_.capacity()) {
        const std::size_t grown = std::max<std::size_t>(1024, entries_.capacity() * 2);
        // While the array grows, the old and the new one are both held.
        const std::size_t extra = grown * sizeof(Entry);
        if (!entries_.empty() && BytesInUse() + extra > budget_) {
            return false;
        }
        entries_.reserve(grown);
    }
    const std::size_t keyBytes = keyIsRecord_ ? 0 : key.size();
    char* item = Allocate(kItemHeaderBytes + keyBytes + record.size());
    if (item == nullptr) {
        return false;
    }
    WriteItemHeader(item, static_cast<std::uint32_t>(keyBytes),
                    static_cast<std::uint32_t>(record.size()));
    char* body = item + kItemHeaderBytes;
    if (keyBytes > 0) {
        std::memcpy(body, key.data(), keyBytes);
    }
    if (!record.empty()) {
        std::memcpy(body + keyBytes, record.data(), record.size());
    }
    entries_.push_back(Entry{KeyPrefix(keyIsRecord_ ? record : key), item, entries_.size()});
    return true;
}

// The entries of one sorted stretch, read in order.
class RunBuilder::Stretch : public ItemSource {
  public:
    Stretch(const Entry* begin, const Entry* end, bool keyIsRecord)
        : next_(begin), end_(end), keyIsRecord_(keyIsRecord) {}
    bool Next() override {
        if (next_ == end_) {
            return false;
        }
        // Items are read in sorted order, all over memory: ask for the next few early.
        if (end_ - next_ > kPrefetchAhead) {
            Prefetch(next_[kPrefetchAhead].item);
        }
        current_ = ReadItem((next_++)->item, keyIsRecord_);
        return true;
    }
    const ItemView& Current() const override { return current_; }

  private:
    const Entry* next_;
    const Entry* end_;
    bool keyIsRecord_;
    ItemView current_;
};

std::vector<std::unique_ptr<ItemSource>> RunBuilder::SortedStretches(Worker& helper) {
    const bool keyIsRecord = keyIsRecord_;
    auto less = [keyIsRecord](const Entry& a, const Entry& b) { return Less(a, b, keyIsRecord); };
    const std::size_t count = entries_.size();
    const bool parallel = count >= kParallelThreshold && std::thread::hardware_concurrency() >= 2;
    // Two stretches at least when both cores sort; more when one would outgrow the caches.
    std::size_t stretches = parallel ? std::max<std::size_t>(2, count / kStretchEntries) : 1;
    stretches = std::max<std::size_t>(1, std::min(stretches, count));
    auto bounds = [&](std::size_t index) { return entries_.data() + count * index / stretches; };
    std::atomic<std::size_t> nextStretch{0};
    auto sortStretches = [&] {
        for (std::size_t i; (i = nextStretch++) < stretches;) {
            std::sort(bounds(i), bounds(i + 1), less);
        }
    };
    if (parallel) {
        helper.Start(sortStretches);
        sortStretches();
        helper.Wait();
    } else {
        sortStretches();
    }
    std::vector<std::unique_ptr<ItemSource>> sources;
    for (std::size_t i = 0; i < stretches; ++i) {
        sources.push_back(std::make_unique<Stretch>(bounds(i), bounds(i + 1), keyIsRecord_));
    }
    return sources;
}

void RunBuilder::Clear() {
    entries_.clear();
    if (entries_.capacity() * sizeof(Entry) > budget_) {
        entries_ = {};
    }
    // Blocks made for one oversized record are not worth keeping, nor blocks past the budget
    // (it shrinks once reading and spilling share the memory).
    std::size_t kept = 0;
    std::size_t keptBytes = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        if (blockSizes_[i] == blockBytes_ &&
            keptBytes + blockSizes_[i] + entries_.capacity() * sizeof(Entry) <= budget_) {
            blocks_[kept] = std::move(blocks_[i]);
            blockSizes_[kept] = blockSizes_[i];
            keptBytes += blockSizes_[i];
            ++kept;
        }
    }
    blocks_.resize(kept);
    blockSizes_.resize(kept);
    blockBytesTotal_ = keptBytes;
    current_ = 0;
    blockUsed_ = 0;
}

}  // namespace orvanta::sorters
