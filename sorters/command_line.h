#pragma once
// Reads a sorter's arguments into a SortJob, refusing anything the wizard would not write.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sorters/sort_job.h"

namespace orvanta::sorters {

struct ParsedCommand {
    std::optional<SortJob> job;
    std::string error;  // UTF-8, set when job is empty
};

// `args` holds the arguments after the program name: input, output, key terms, options.
ParsedCommand ParseCommandLine(SorterKind kind, const std::vector<std::string>& args);

// Splits a Windows command-line tail the way the wizard quotes it: blanks separate arguments,
// every double quote toggles quoting and is dropped, backslashes are plain characters (so a
// folder written as "C:\Temp\" keeps its trailing backslash).
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace orvanta::sorters
