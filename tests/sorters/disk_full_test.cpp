// A sort whose files cannot grow fails cleanly (POSIX: a real process whose file size limit
// makes every write past it fail, and, where the test may mount one, a real small file system
// that fills up): the exit status says so, a message says why, the existing output is untouched
// and no run file or unfinished output is left.

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "sorter_fixture.h"
#include "sorters/messages.h"

namespace orvanta::sorters {
namespace {

using DiskFull = SorterTest;

// A file system of `bytes` mounted on `folder` for as long as it lives.
class SmallFileSystem {
  public:
    SmallFileSystem(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder) {
        std::filesystem::create_directory(folder);
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = mount("orvanta-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                         options.c_str()) == 0;
        error_ = errno;
    }
    ~SmallFileSystem() {
        if (mounted_) {
            umount2(folder_.c_str(), MNT_DETACH);
        }
    }
    bool Mounted() const { return mounted_; }
    std::string Error() const { return std::strerror(error_); }

  private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    int error_ = 0;
};

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
    WriteFile("in.csv", NumberedRows(200000, true));
    std::filesystem::create_directory(folder_ / "work");
    const std::string log = ChildMessagesPath();

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
        EXPECT_FALSE(TakeChildMessages().empty()) << "no message for limit " << limit;
    }
}

TEST_F(DiskFull, FailsCleanlyWhenItsFileSystemFills) {
    WriteFile("in.csv", NumberedRows(200000, true));  // 5 MB
    const SmallFileSystem small(folder_ / "small", std::size_t{1} << 20);
    if (!small.Mounted()) {
        GTEST_SKIP() << "no file system can be mounted here: " << small.Error();
    }
    std::filesystem::create_directory(folder_ / "work");
    const std::string smallFolder = PathOf("small");
    struct Case {
        const char* what;
        std::string output;
        std::string workFolder;
        std::vector<std::string> onTop;
        std::vector<std::string> onSmall;
    };
    // Run files that do not fit; an output that does not fit beside the old one.
    for (const Case& test :
         {Case{"work folder", "out.csv", smallFolder, {"in.csv", "out.csv", "small", "work"}, {}},
          Case{"output folder",
               "small/out.csv",
               PathOf("work"),
               {"in.csv", "small", "work"},
               {"out.csv"}}}) {
        WriteFile(test.output, "previous");
        reporter_.messages.clear();
        EXPECT_EQ(Run(SorterKind::Csv,
                      {"in.csv", test.output, "key(1)attr(a;i)", "/M", "1", "/T", test.workFolder}),
                  kExitFailed)
            << test.what;
        ASSERT_EQ(reporter_.messages.size(), 1u) << test.what;
        EXPECT_NE(reporter_.messages[0].find(messages::kWriteFailed), std::string::npos)
            << reporter_.messages[0];
        EXPECT_EQ(ReadFile(test.output), "previous") << test.what;
        EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work")) << test.what;
        std::vector<std::string> onSmall;
        for (const auto& entry : std::filesystem::directory_iterator(folder_ / "small")) {
            onSmall.push_back(entry.path().filename().string());
        }
        EXPECT_EQ(onSmall, test.onSmall) << test.what;
        EXPECT_EQ(FolderEntries(), test.onTop) << test.what;
        std::filesystem::remove(folder_ / test.output);
    }
}

}  // namespace
}  // namespace orvanta::sorters
