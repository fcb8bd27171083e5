#pragma once
// Shows a long sort's progress: nothing during the first seconds, then at most once a second.

#include <chrono>
#include <cstdint>

#include "sorters/reporter.h"

namespace orvanta::sorters {

class ProgressMeter {
  public:
    using Clock = std::chrono::steady_clock;

    ProgressMeter(Reporter& reporter, std::uint64_t inputBytes, bool everyStep = false);

    // Records or items between two calls below: few enough for a steady display, many enough
    // that the clock is rarely read.
    std::uint64_t Step() const { return everyStep_ ? 1 : 1u << 16; }
    void Reading(std::uint64_t bytesRead);
    // Items moved by all merges so far, of all the items the merges move together.
    void Merging(std::uint64_t itemsDone, std::uint64_t itemsTotal);
    void Done(std::uint64_t records);

  private:
    bool Due();

    Reporter& reporter_;
    const std::uint64_t inputBytes_;
    const bool everyStep_;
    const Clock::time_point start_;
    Clock::time_point lastShown_;
    bool shown_ = false;
};

}  // namespace orvanta::sorters
