// A sort ended from outside in the middle of its merge (Windows: a real process and
// TerminateProcess) leaves its run files and unfinished output, the old output as it was, and
// the next sort removes what it left.

#include <windows.h>

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

using Terminate = SorterTest;

TEST_F(Terminate, TheNextSortRemovesWhatAnEndedOneLeft) {
    constexpr std::uint64_t kRows = 400000;
    WriteFilesForAnEndedSort(kRows);

    std::string command = "Pellacor \"" + PathOf("in.csv") + "\" \"" + PathOf("out.csv") +
                          "\" key(1)attr(a;i) /M 1 /T \"" + PathOf("work") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no console of its own, no progress shown
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(ORVANTA_PELLACOR_PATH, command.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process));
    const bool merging = WaitForTheLastMerge(process.dwProcessId);
    const bool stillRunning = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(merging && stillRunning) << "the sort was not ended in its merge";
    ExpectTheNextSortToRemoveWhatItLeft(process.dwProcessId, kRows);
}

}  // namespace
}  // namespace orvanta::sorters
