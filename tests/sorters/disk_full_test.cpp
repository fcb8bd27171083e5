// A sort whose files cannot grow fails cleanly (POSIX: a real process whose file size limit
// makes every write past it fail, as a full disk would): the exit status says so, a message
// says why, the existing output is untouched and no run file or unfinished output is left.

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

using DiskFull = SorterTest;

// Runs Pellacor with its files limited to `limitBytes`; its exit status, or -1 when killed.
int RunLimited(const std::vector<std::string>& args, rlim_t limitBytes, const std::string& log) {
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        if (std::freopen(log.c_str(), "w", stderr) == nullptr) {
            _exit(126);
        }
        std::vector<char*> argv{const_cast<char*>("Pellacor")};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execv(ORVANTA_PELLACOR_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(DiskFull, FailsCleanlyWhileWritingRunsAndWhileWritingTheOutput) {
    std::string input;
    for (std::uint64_t row = 0; row < 200000; ++row) {
        input.append(std::to_string((row * 7919) % 200000)).append(",some text to sort by\n");
    }
    WriteFile("in.csv", input);
    std::filesystem::create_directory(folder_ / "work");
    const std::string log =
        (folder_.parent_path() / (folder_.filename().string() + ".log")).string();

    // 64 KiB: the first run file cannot be written. 6 MiB: the runs fit, but a merge's file
    // (records with their encoded keys) outgrows the limit halfway through.
    for (rlim_t limit : {rlim_t{64} << 10, rlim_t{6} << 20}) {
        WriteFile("out.csv", "previous");
        const int status = RunLimited({PathOf("in.csv"), PathOf("out.csv"), "key(1)attr(a;i)", "/M",
                                       "1", "/T", PathOf("work")},
                                      limit, log);
        EXPECT_EQ(status, kExitFailed) << limit;
        EXPECT_EQ(ReadFile("out.csv"), "previous") << limit;
        EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work")) << limit;
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv", "work"}))
            << limit;
        std::FILE* messages = std::fopen(log.c_str(), "rb");
        ASSERT_NE(messages, nullptr);
        char text[512] = {};
        const std::size_t got = std::fread(text, 1, sizeof text - 1, messages);
        std::fclose(messages);
        EXPECT_GT(got, 0u) << "no message for limit " << limit;
    }
    std::remove(log.c_str());
}

}  // namespace
}  // namespace orvanta::sorters
