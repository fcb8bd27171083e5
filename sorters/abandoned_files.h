#pragma once
// The names of a sort's temporary files, and the removal of those that sorts left behind when
// they were killed or the machine went down: the next sort working in the same folder, or
// writing the same output, removes them.
//
// In the work folder, process <id> holds the lock file "orvanta-<id>.lock" from before its
// first run file "orvanta-<id>-<n>.run" until after its last one is gone; its unfinished output
// "<output>.orvanta-<id>-<n>.tmp" stays open beside the output until it is renamed into place.

#include <optional>
#include <string>
#include <string_view>

namespace orvanta::sorters {

std::string LockFileName(unsigned processId);
// The run files' names without their number and ".run".
std::string RunFilePrefix(unsigned processId);
std::string UnfinishedOutputPath(const std::string& outputPath, unsigned processId, int attempt);

// The process id a lock or run file name carries, or nothing for any other name.
std::optional<unsigned> LockFileOwner(std::string_view name);
std::optional<unsigned> RunFileOwner(std::string_view name);
bool IsUnfinishedOutputOf(std::string_view name, std::string_view outputName);

// Removes the run files in `workFolder` whose owner no longer holds its lock, with that lock,
// and any run file carrying this process's own id (left by an earlier process of that id).
void RemoveAbandonedRunFiles(const std::string& workFolder, unsigned ownProcessId);
// Removes the unfinished outputs of `outputPath` that no process has open.
void RemoveAbandonedOutputs(const std::string& outputPath);

}  // namespace orvanta::sorters
