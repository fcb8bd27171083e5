// An interrupted sort removes its run files and its unfinished output; a killed one cannot, and
// the next sort removes them (POSIX: real processes, a real SIGINT and a real SIGKILL).

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

bool HasRunFile(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".run") {
            return true;
        }
    }
    return false;
}

constexpr std::uint64_t kRows = 400000;

class Interrupt : public SorterTest {
  protected:
    // Starts Pellacor sorting in.csv into out.csv by its first column, with run files in "work".
    pid_t StartSort() const {
        const std::string in = PathOf("in.csv");
        const std::string out = PathOf("out.csv");
        const std::string work = PathOf("work");
        const pid_t child = fork();
        if (child == 0) {
            // Its progress display is not the test's output.
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            execl(ORVANTA_PELLACOR_PATH, "Pellacor", in.c_str(), out.c_str(), "key(1)attr(a;i)",
                  "/M", "1", "/T", work.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return child;
    }
};

TEST_F(Interrupt, RemovesRunFilesAndTheUnfinishedOutput) {
    WriteFilesForAnEndedSort(kRows);
    const pid_t child = StartSort();
    ASSERT_GE(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HasRunFile(folder_ / "work") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(HasRunFile(folder_ / "work"));
    kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work"));
    EXPECT_EQ(ReadFile("out.csv"), "previous");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv", "work"}));
}

TEST_F(Interrupt, TheNextSortRemovesWhatAKilledOneLeft) {
    WriteFilesForAnEndedSort(kRows);
    const pid_t child = StartSort();
    ASSERT_GE(child, 0);
    const bool merging = WaitForTheLastMerge(static_cast<unsigned>(child));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(merging && WIFSIGNALED(status)) << "the sort was not killed in its merge";
    ExpectTheNextSortToRemoveWhatItLeft(static_cast<unsigned>(child), kRows);
}

}  // namespace
}  // namespace orvanta::sorters
