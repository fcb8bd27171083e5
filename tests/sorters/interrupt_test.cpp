// An interrupted sort removes its run files and its unfinished output; a killed one cannot, and
// the next sort removes them; a sort whose work folder is taken away fails cleanly (POSIX: real
// processes, a real SIGINT and a real SIGKILL).

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "sorter_fixture.h"
#include "sorters/messages.h"

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
    // Starts Pellacor sorting in.csv into out.csv by its first column, with run files in "work";
    // its messages go to `errors` (by default nowhere: its progress is not the test's output).
    pid_t StartSort(const std::string& errors = "/dev/null") const {
        const std::string in = PathOf("in.csv");
        const std::string out = PathOf("out.csv");
        const std::string work = PathOf("work");
        const pid_t child = fork();
        if (child == 0) {
            const int messages = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(messages, STDERR_FILENO);
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

TEST_F(Interrupt, AWorkFolderTakenAwayMidwayEndsTheSortCleanly) {
    WriteFilesForAnEndedSort(kRows);
    const pid_t child = StartSort(ChildMessagesPath());
    ASSERT_GE(child, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HasRunFile(folder_ / "work") && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // Somebody empties the temporary folder while the sort still writes its runs there.
    std::error_code busy;
    while (std::filesystem::exists(folder_ / "work")) {
        std::filesystem::remove_all(folder_ / "work", busy);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitFailed);
    const std::string messages = TakeChildMessages();
    EXPECT_TRUE(messages.find(messages::kRunFileFailed) != std::string::npos ||
                messages.find(messages::kReadFailed) != std::string::npos)
        << messages;
    EXPECT_EQ(ReadFile("out.csv"), "previous");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv"}));
}

}  // namespace
}  // namespace orvanta::sorters
