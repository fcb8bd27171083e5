#include "sorters/abandoned_files.h"

#include <limits>
#include <map>
#include <set>
#include <vector>

#include "sorters/consume_prefix.h"
#include "sorters/file_io.h"

namespace orvanta::sorters {
namespace {

constexpr std::string_view kPrefix = "orvanta-";

// Reads a decimal number of at most `limit` from the front of `text`, which it then skips.
std::optional<std::uint64_t> TakeNumber(std::string_view& text, std::uint64_t limit) {
    std::size_t digits = 0;
    std::uint64_t value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        value = value * 10 + static_cast<std::uint64_t>(text[digits] - '0');
        if (value > limit) {
            return std::nullopt;
        }
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    text.remove_prefix(digits);
    return value;
}

constexpr std::uint64_t kMaxId = std::numeric_limits<unsigned>::max();
constexpr std::uint64_t kMaxNumber = std::numeric_limits<std::uint64_t>::max() / 10;

}  // namespace

std::string LockFileName(unsigned processId) {
    return std::string(kPrefix) + std::to_string(processId) + ".lock";
}

std::string RunFilePrefix(unsigned processId) {
    return std::string(kPrefix) + std::to_string(processId) + "-";
}

std::string UnfinishedOutputPath(const std::string& outputPath, unsigned processId, int attempt) {
    return outputPath + "." + std::string(kPrefix) + std::to_string(processId) + "-" +
           std::to_string(attempt) + ".tmp";
}

std::optional<unsigned> LockFileOwner(std::string_view name) {
    std::optional<std::uint64_t> id;
    if (!ConsumePrefix(name, kPrefix) || !(id = TakeNumber(name, kMaxId)) || name != ".lock") {
        return std::nullopt;
    }
    return static_cast<unsigned>(*id);
}

std::optional<unsigned> RunFileOwner(std::string_view name) {
    std::optional<std::uint64_t> id;
    if (!ConsumePrefix(name, kPrefix) || !(id = TakeNumber(name, kMaxId)) ||
        !ConsumePrefix(name, "-") || !TakeNumber(name, kMaxNumber) || name != ".run") {
        return std::nullopt;
    }
    return static_cast<unsigned>(*id);
}

bool IsUnfinishedOutputOf(std::string_view name, std::string_view outputName) {
    return !outputName.empty() && ConsumePrefix(name, outputName) && ConsumePrefix(name, ".") &&
           ConsumePrefix(name, kPrefix) && TakeNumber(name, kMaxId) && ConsumePrefix(name, "-") &&
           TakeNumber(name, kMaxNumber) && name == ".tmp";
}

void RemoveAbandonedRunFiles(const std::string& workFolder, unsigned ownProcessId) {
    std::map<unsigned, std::vector<std::string>> runFiles;
    std::set<unsigned> locks;
    for (const std::string& name : FolderNames(workFolder.empty() ? "." : workFolder)) {
        if (const auto owner = RunFileOwner(name)) {
            runFiles[*owner].push_back(name);
        } else if (const auto lockOwner = LockFileOwner(name)) {
            locks.insert(*lockOwner);
        }
    }
    for (const unsigned owner : locks) {
        // A lock the owner still holds keeps all its files; an abandoned one goes first, so
        // that its run files count as abandoned should this clean-up itself be cut short.
        if (owner != ownProcessId &&
            !RemoveIfAbandoned(JoinPath(workFolder, LockFileName(owner)))) {
            runFiles.erase(owner);
        }
    }
    for (const auto& [owner, names] : runFiles) {
        for (const std::string& name : names) {
            RemoveIfAbandoned(JoinPath(workFolder, name));
        }
    }
}

void RemoveAbandonedOutputs(const std::string& outputPath) {
    const auto [folder, outputName] = SplitPath(outputPath);
    for (const std::string& name : FolderNames(folder.empty() ? "." : folder)) {
        if (IsUnfinishedOutputOf(name, outputName)) {
            RemoveIfAbandoned(folder + name);
        }
    }
}

}  // namespace orvanta::sorters
