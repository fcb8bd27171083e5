// A sort ended from outside in the middle of its merge (Windows: a real process and
// TerminateProcess) leaves its run files and unfinished output, the old output as it was, and
// the next sort removes what it left.

#include <windows.h>

#include <chrono>
#include <thread>

#include "sorter_fixture.h"
#include "sorters/abandoned_files.h"

namespace orvanta::sorters {
namespace {

using Terminate = SorterTest;

TEST_F(Terminate, TheNextSortRemovesWhatAnEndedOneLeft) {
    constexpr std::uint64_t kRows = 400000;
    WriteFile("in.csv", NumberedRows(kRows, true));
    WriteFile("out.csv", "previous");
    std::filesystem::create_directory(folder_ / "work");

    std::string command = "Pellacor \"" + PathOf("in.csv") + "\" \"" + PathOf("out.csv") +
                          "\" key(1)attr(a;i) /M 1 /T \"" + PathOf("work") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // no console of its own, no progress shown
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(ORVANTA_PELLACOR_PATH, command.data(), nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process));
    // The unfinished output gets its first bytes only in the last merge of the run files.
    const auto unfinished = folder_ / UnfinishedOutputPath("out.csv", process.dwProcessId, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::error_code missing;
    while ((std::filesystem::file_size(unfinished, missing) == 0 || missing) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const bool stillRunning = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(stillRunning) << "the sort ended before it was ended in its merge";
    EXPECT_EQ(ReadFile("out.csv"), "previous");
    EXPECT_TRUE(std::filesystem::exists(unfinished));
    EXPECT_FALSE(std::filesystem::is_empty(folder_ / "work"));

    EXPECT_EQ(Run(SorterKind::Csv, {"in.csv", "out.csv", "key(1)attr(a;i)", "/T", PathOf("work")}),
              kExitSorted);
    EXPECT_TRUE(ReadFile("out.csv") == NumberedRows(kRows, false));
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work"));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv", "work"}));
}

}  // namespace
}  // namespace orvanta::sorters
