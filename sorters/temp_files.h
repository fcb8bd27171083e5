#pragma once
// Names of the temporary files of one sorter run, kept where an interrupt handler can reach
// them: the output's temporary file beside it, run files numbered from 0 in the work folder and
// the lock that marks them as alive.

#include <cstddef>
#include <string>

namespace orvanta::sorters {

class TempFiles {
  public:
    // Sets the names for this run; `outputTemp` and the run files' common prefix.
    static void Begin(const std::string& outputTemp, const std::string& runPrefix);
    static std::string RunPath(std::size_t index);
    // Counts run file `index` as existing, so that an interrupt removes it.
    static void NoteRun(std::size_t index);
    // The lock that marks the run files as alive; an interrupt removes it after them.
    static void NoteLock(const std::string& path);
    // Removes every file of this run still present. Safe in a signal handler.
    static void RemoveAll();
    // Forgets the names (the output is in place, the run files are gone).
    static void End();
};

}  // namespace orvanta::sorters
