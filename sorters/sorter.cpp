#include "sorters/sorter.h"

#include <new>

#include "sorters/command_line.h"
#include "sorters/sort_session.h"

namespace orvanta::sorters {

int RunSorter(SorterKind kind, const std::vector<std::string>& args, Reporter& reporter) {
    const ParsedCommand command = ParseCommandLine(kind, args);
    if (!command.job) {
        reporter.Message(command.error);
        return kExitRefused;
    }
    return RunSortJob(*command.job, reporter);
}

int RunSortJob(const SortJob& job, Reporter& reporter) {
    SortSession session(job, reporter);
    return session.Run();
}

}  // namespace orvanta::sorters
