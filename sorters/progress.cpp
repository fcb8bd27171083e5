#include "sorters/progress.h"

#include <string>

#include "sorters/messages.h"

namespace orvanta::sorters {
namespace {

constexpr auto kQuietTime = std::chrono::seconds(3);
constexpr auto kInterval = std::chrono::seconds(1);

std::string Percent(std::uint64_t done, std::uint64_t total) {
    const std::uint64_t percent = total == 0 ? 100 : (done >= total ? 100 : done * 100 / total);
    return std::to_string(percent) + "%";
}

}  // namespace

ProgressMeter::ProgressMeter(Reporter& reporter, std::uint64_t inputBytes, bool everyStep)
    : reporter_(reporter),
      inputBytes_(inputBytes),
      everyStep_(everyStep),
      start_(Clock::now()),
      lastShown_(start_) {}

bool ProgressMeter::Due() {
    if (everyStep_) {
        shown_ = true;
        return true;
    }
    const Clock::time_point now = Clock::now();
    if (now - start_ < kQuietTime || now - lastShown_ < kInterval) {
        return false;
    }
    lastShown_ = now;
    shown_ = true;
    return true;
}

void ProgressMeter::Reading(std::uint64_t bytesRead) {
    if (Due()) {
        reporter_.Progress(messages::kProgressRead + Percent(bytesRead, inputBytes_));
    }
}

void ProgressMeter::Merging(std::uint64_t itemsDone, std::uint64_t itemsTotal) {
    if (Due()) {
        reporter_.Progress(messages::kProgressMerge + Percent(itemsDone, itemsTotal));
    }
}

void ProgressMeter::Done(std::uint64_t records) {
    if (shown_) {
        reporter_.Message(messages::kDone + std::to_string(records) + messages::kRecords);
    }
}

}  // namespace orvanta::sorters
