#include "sorters/run_builder.h"

#include <algorithm>
#include <thread>

namespace orvanta::sorters {
namespace {

// Below this many records one thread sorts faster than two.
constexpr std::size_t kParallelThreshold = 1u << 16;

std::size_t ChooseBlockBytes(std::size_t budget) {
    const std::size_t block = budget / 16;
    return std::clamp<std::size_t>(block, std::size_t{64} << 10, std::size_t{16} << 20);
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
    // The entries count twice: the merge of the two sorted halves needs a second array.
    return blockBytesTotal_ + 2 * entries_.capacity() * sizeof(Entry);
}

char* RunBuilder::Allocate(std::size_t bytes) {
    if (!blocks_.empty() && blockUsed_ + bytes <= blockSizes_.back()) {
        char* place = blocks_.back().get() + blockUsed_;
        blockUsed_ += bytes;
        return place;
    }
    const std::size_t size = std::max(bytes, blockBytes_);
    if (!entries_.empty() && BytesInUse() + size > budget_) {
        return nullptr;
    }
    blocks_.emplace_back(new char[size]);
    blockSizes_.push_back(size);
    blockBytesTotal_ += size;
    blockUsed_ = bytes;
    return blocks_.back().get();
}

bool RunBuilder::Add(std::string_view key, std::string_view record) {
    if (entries_.size() == entries_.capacity()) {
        const std::size_t grown = std::max<std::size_t>(1024, entries_.capacity() * 2);
        const std::size_t extra = 2 * (grown - entries_.capacity()) * sizeof(Entry);
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

void RunBuilder::Sort() {
    const bool keyIsRecord = keyIsRecord_;
    auto less = [keyIsRecord](const Entry& a, const Entry& b) { return Less(a, b, keyIsRecord); };
    const std::size_t count = entries_.size();
    if (count < kParallelThreshold || std::thread::hardware_concurrency() < 2) {
        std::sort(entries_.begin(), entries_.end(), less);
        return;
    }

    const auto middle = entries_.begin() + static_cast<std::ptrdiff_t>(count / 2);
    std::thread lower([&] { std::sort(entries_.begin(), middle, less); });
    std::sort(middle, entries_.end(), less);
    lower.join();

    // Merge the halves on two threads: one fills the output from the front, the other from the
    // back. The order is total (the sequence breaks ties), so the two meet exactly.
    std::vector<Entry> merged(count);
    const std::size_t frontCount = count / 2;
    std::thread front([&] {
        std::size_t a = 0;
        std::size_t b = count / 2;
        for (std::size_t out = 0; out < frontCount; ++out) {
            const bool takeB = b < count && (a >= count / 2 || less(entries_[b], entries_[a]));
            merged[out] = takeB ? entries_[b++] : entries_[a++];
        }
    });
    std::size_t a = count / 2;  // one past the next from the lower half
    std::size_t b = count;      // one past the next from the upper half
    for (std::size_t out = count; out > frontCount; --out) {
        const bool takeA = a > 0 && (b <= count / 2 || less(entries_[b - 1], entries_[a - 1]));
        merged[out - 1] = takeA ? entries_[--a] : entries_[--b];
    }
    front.join();
    entries_.swap(merged);
}

void RunBuilder::Clear() {
    entries_.clear();
    if (!blocks_.empty() && blockSizes_.front() != blockBytes_) {
        // A block made for one oversized record is not worth keeping.
        blocks_.clear();
        blockSizes_.clear();
        blockBytesTotal_ = 0;
    }
    if (blocks_.size() > 1) {
        blocks_.resize(1);
        blockSizes_.resize(1);
        blockBytesTotal_ = blockSizes_.front();
    }
    blockUsed_ = 0;
}

}  // namespace orvanta::sorters
