// Sorts as Pellacor does, but holds every record in memory at once within /M: the reference
// that scripts/sort_external_check.sh compares the run-file path against.

#include <limits>

#include "sorters/command_line.h"
#include "sorters/file_io.h"
#include "sorters/sorter.h"

int main(int argc, char** argv) {
    using namespace orvanta::sorters;
    ConsoleReporter reporter;
    ParsedCommand command = ParseCommandLine(SorterKind::Csv, ProgramArguments(argc, argv));
    if (!command.job) {
        reporter.Message(command.error);
        return kExitRefused;
    }
    command.job->maxRunBytes = std::numeric_limits<std::size_t>::max();
    return RunSortJob(*command.job, reporter);
}
