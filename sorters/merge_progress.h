#pragma once
// The items that all merges have moved, out of all they move together, for the progress
// display. Merges running side by side share it: it shows their sum, in the order of the
// additions, so the percentage only grows; and it carries word that one of them has failed,
// so that the other stops early.

#include <atomic>
#include <cstdint>
#include <mutex>

#include "sorters/progress.h"

namespace orvanta::sorters {

class MergeProgress {
  public:
    explicit MergeProgress(ProgressMeter& meter) : meter_(meter) {}

    void SetTotal(std::uint64_t items) { total_ = items; }
    std::uint64_t Step() const { return meter_.Step(); }
    void Add(std::uint64_t items) {
        const std::lock_guard<std::mutex> lock(mutex_);
        done_ += items;
        meter_.Merging(done_, total_);
    }

    void Stop() { stopped_.store(true, std::memory_order_relaxed); }
    bool Stopped() const { return stopped_.load(std::memory_order_relaxed); }

  private:
    ProgressMeter& meter_;
    std::mutex mutex_;
    std::uint64_t done_ = 0;
    std::uint64_t total_ = 0;
    std::atomic<bool> stopped_{false};
};

}  // namespace orvanta::sorters
