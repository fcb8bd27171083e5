// An input that cannot be opened, or whose reading fails, ends the sort with a message and a
// non-zero status, leaving the existing output and the folder as they were.

#include <cstdio>

#include "sorter_fixture.h"
#include "sorters/messages.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orvanta::sorters {
namespace {

class UnreadableInput : public SorterTest {
  protected:
    void SetUp() override {
        SorterTest::SetUp();
        WriteFile("in", "b\na\n");
        WriteFile("out", "previous");
    }

    void ExpectNothingChanged() {
        EXPECT_EQ(ReadFile("out"), "previous");
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in", "out"}));
    }
};

bool StartsWith(const std::vector<std::string>& messages, const std::string& start) {
    return messages.size() == 1 && messages[0].compare(0, start.size(), start) == 0;
}

#ifdef _WIN32
TEST_F(UnreadableInput, AnInputHeldWithoutSharingIsNotOpened) {
    // Another program has the file open for itself alone.
    HANDLE held = CreateFileA(PathOf("in").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(SorterKind::Text, {"in", "out"}), kExitRefused);
    CloseHandle(held);
    EXPECT_TRUE(StartsWith(reporter_.messages, messages::kInputUnreadable));
    ExpectNothingChanged();
}
#else
TEST_F(UnreadableInput, AnInputWithoutReadPermissionIsNotOpened) {
    ASSERT_EQ(chmod(PathOf("in").c_str(), 0), 0);
    if (geteuid() != 0) {
        EXPECT_EQ(Run(SorterKind::Text, {"in", "out"}), kExitRefused);
        EXPECT_TRUE(StartsWith(reporter_.messages, messages::kInputUnreadable));
        ExpectNothingChanged();
        return;
    }
    // Permissions do not stop the superuser: the sorter runs as an ordinary user instead.
    const std::string log = ChildMessagesPath();
    const std::string in = PathOf("in");
    const std::string out = PathOf("out");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (std::freopen(log.c_str(), "w", stderr) == nullptr || setgid(65534) != 0 ||
            setuid(65534) != 0) {
            _exit(126);
        }
        execl(ORVANTA_TRIVANDEL_PATH, "Trivandel", in.c_str(), out.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitRefused);
    const std::string text = TakeChildMessages();
    EXPECT_NE(text.find(messages::kInputUnreadable), std::string::npos) << text;
    ExpectNothingChanged();
}
#endif

#ifdef __linux__
TEST_F(UnreadableInput, AReadThatFailsEndsTheSort) {
    // A regular file by its type whose first read fails (the process's unmapped page 0).
    std::vector<std::string> args = {"/proc/self/mem", PathOf("out")};
    EXPECT_EQ(RunSorter(SorterKind::Csv, args, reporter_), kExitFailed);
    EXPECT_TRUE(StartsWith(reporter_.messages, messages::kReadFailed));
    ExpectNothingChanged();
}
#endif

}  // namespace
}  // namespace orvanta::sorters
