// An interrupted sort removes its run files and its unfinished output (POSIX: a real process
// and a real SIGINT).

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

using Interrupt = SorterTest;

bool HasRunFile(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".run") {
            return true;
        }
    }
    return false;
}

TEST_F(Interrupt, RemovesRunFilesAndTheUnfinishedOutput) {
    std::string input;
    for (std::uint64_t row = 0; row < 400000; ++row) {
        input.append(std::to_string((row * 7919) % 400000)).append(",some text to sort by\n");
    }
    WriteFile("in.csv", input);
    std::filesystem::create_directory(folder_ / "work");
    WriteFile("out.csv", "previous");

    const std::string in = PathOf("in.csv");
    const std::string out = PathOf("out.csv");
    const std::string work = PathOf("work");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(ORVANTA_PELLACOR_PATH, "Pellacor", in.c_str(), out.c_str(), "key(1)attr(a;i)", "/M",
              "1", "/T", work.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
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

}  // namespace
}  // namespace orvanta::sorters
