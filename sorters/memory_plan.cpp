#include "sorters/memory_plan.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orvanta::sorters {
namespace {

constexpr std::size_t kMinIoBytes = std::size_t{64} << 10;
// Buffers that stay within the caches: larger ones only slow the copies through them.
constexpr std::size_t kMaxIoBytes = std::size_t{2} << 20;
// Each run being merged gets at least this much buffer, which bounds the merge fan-in.
constexpr std::size_t kMergeBufferBytes = std::size_t{1} << 20;
constexpr std::size_t kMaxFanIn = 512;
// Records held for one run at most (halves of it once reading and spilling overlap). Runs are
// sorted in cache-sized stretches whatever their size, so larger ones mean fewer run files and
// a narrower merge; past this the fresh pages they take cost more than that saves.
constexpr std::size_t kMaxRunBuilderBytes = std::size_t{128} << 20;

}  // namespace

std::size_t MemoryPlan::MergeReaderBytes(std::size_t runs) const {
    // The output's writer holds two buffers: one filled, one written.
    const std::size_t readers = memoryBytes > 4 * ioBytes ? memoryBytes - 2 * ioBytes : ioBytes;
    return std::clamp(readers / std::max<std::size_t>(runs, 1), kMinIoBytes, kMaxIoBytes / 2);
}

MemoryPlan PlanMemory(const SortJob& job) {
    MemoryPlan plan{};
    plan.memoryBytes = static_cast<std::size_t>(
        std::min<std::uint64_t>(job.memoryBytes, std::numeric_limits<std::size_t>::max()));
    plan.ioBytes = std::clamp<std::size_t>(plan.memoryBytes / 32, kMinIoBytes, kMaxIoBytes);
    const std::size_t reserved = 3 * plan.ioBytes;
    const std::size_t usable =
        plan.memoryBytes > 2 * reserved ? plan.memoryBytes - reserved : plan.memoryBytes / 2;
    const std::size_t runLimit = job.maxRunBytes != 0 ? job.maxRunBytes : kMaxRunBuilderBytes;
    plan.runBytes = std::min(usable, runLimit);
    std::size_t fanIn = job.maxMergeFanIn;
    if (fanIn == 0) {
        fanIn = std::clamp<std::size_t>(plan.memoryBytes / kMergeBufferBytes, 2, kMaxFanIn);
    }
    plan.fanIn = std::max<std::size_t>(fanIn, 2);
    return plan;
}

}  // namespace orvanta::sorters
