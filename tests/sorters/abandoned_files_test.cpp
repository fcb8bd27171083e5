// Temporary files left by sorts that were killed are removed by the next sort; files of a sort
// still running (its lock held, its output open) are not.

#include "sorters/abandoned_files.h"

#include "sorter_fixture.h"
#include "sorters/file_io.h"

namespace orvanta::sorters {
namespace {

TEST(AbandonedFileNames, OnlyTheSortersOwnNamesCarryAnOwner) {
    EXPECT_EQ(RunFileOwner("orvanta-4242-0.run"), 4242u);
    EXPECT_EQ(RunFileOwner("orvanta-7-123456789012.run"), 7u);
    EXPECT_EQ(RunFileOwner(RunFilePrefix(4294967295u) + "3.run"), 4294967295u);
    EXPECT_EQ(LockFileOwner(LockFileName(31)), 31u);
    for (const char* name :
         {"orvanta-4294967296-1.run", "orvanta--1.run", "orvanta-1-.run", "orvanta-1-2.run.keep",
          "orvanta-1-2", "Orvanta-1-2.run", "xorvanta-1-2.run", "orvanta-1-2-3.run",
          "orvanta-+1-2.run", "orvanta-1.lock", "orvanta-12.lock.old", "orvanta-.lock"}) {
        EXPECT_FALSE(RunFileOwner(name)) << name;
    }
    for (const char* name :
         {"orvanta-1-2.run", "orvanta-.lock", "orvanta-1.lock2", "orvanta-x.lock"}) {
        EXPECT_FALSE(LockFileOwner(name)) << name;
    }
    EXPECT_TRUE(IsUnfinishedOutputOf("out.csv.orvanta-12-0.tmp", "out.csv"));
    EXPECT_EQ(UnfinishedOutputPath("d/out.csv", 12, 3), "d/out.csv.orvanta-12-3.tmp");
    for (const char* name :
         {"out.csv", "out.csv.tmp", "out.csv.orvanta-12.tmp", "out.csv.orvanta-12-0.tmp.x",
          "xout.csv.orvanta-12-0.tmp", "out.csv.orvanta-12-0.run", "out.csv.orvanta-a-0.tmp",
          "out.csv.2024-12.tmp"}) {
        EXPECT_FALSE(IsUnfinishedOutputOf(name, "out.csv")) << name;
    }
    EXPECT_FALSE(IsUnfinishedOutputOf(".orvanta-1-0.tmp", ""));
}

TEST(AbandonedFileNames, PathsJoinAndSplitAtRealSeparators) {
    EXPECT_EQ(JoinPath("", "a"), "a");
    EXPECT_EQ(JoinPath("w/", "a"), "w/a");
    EXPECT_EQ(SplitPath("name"), (std::pair<std::string, std::string>{"", "name"}));
    EXPECT_EQ(SplitPath("w/x/name"), (std::pair<std::string, std::string>{"w/x/", "name"}));
    if (PathSeparator() == '\\') {
        EXPECT_EQ(JoinPath("C:\\w", "a"), "C:\\w\\a");
        EXPECT_EQ(JoinPath("C:", "a"), "C:a");
        // 0x5C after 0x95 is the second byte of a character, not a separator.
        EXPECT_EQ(JoinPath("C:\\\x95\x5C", "a"), "C:\\\x95\x5C\\a");
        EXPECT_EQ(SplitPath("C:\\\x95\x5C\\o\x95\x5C"),
                  (std::pair<std::string, std::string>{"C:\\\x95\x5C\\", "o\x95\x5C"}));
        EXPECT_EQ(SplitPath("C:o"), (std::pair<std::string, std::string>{"C:", "o"}));
    } else {
        EXPECT_EQ(JoinPath("/w", "a"), "/w/a");
        EXPECT_EQ(SplitPath("a\\b"), (std::pair<std::string, std::string>{"", "a\\b"}));
    }
}

using AbandonedFiles = SorterTest;

TEST_F(AbandonedFiles, OnlyFilesWhoseOwnerIsGoneAreRemoved) {
    const unsigned self = 7;
    const std::vector<std::string> kept = {"orvanta-20-0.run",
                                           "orvanta-20-5.run",
                                           "orvanta-20.lock",  // lock held: running
                                           "orvanta-notes.txt",
                                           "orvanta-30-1.run.keep",
                                           "out.csv",
                                           "out.csv.bak",
                                           "out.csv.orvanta-41-0.tmp",  // open: being written
                                           "other.csv.orvanta-40-0.tmp",
                                           "out.csv.2024-12.tmp"};
    for (const char* name :
         {"orvanta-10-0.run", "orvanta-10-1.run", "orvanta-10.lock",  // lock not held
          "orvanta-30-0.run", "orvanta-30-12.run",                    // no lock at all
          "orvanta-50.lock",                                          // a lock alone
          "orvanta-7-0.run",                                          // this process's id
          "out.csv.orvanta-40-0.tmp", "out.csv.orvanta-40-1.tmp"}) {
        WriteFile(name, "stale");
    }
    for (const std::string& name : kept) {
        if (name != "orvanta-20.lock" && name != "out.csv.orvanta-41-0.tmp") {
            WriteFile(name, "kept");
        }
    }
    File running = File::HoldLock(PathOf("orvanta-20.lock"));
    File writing = File::CreateNew(PathOf("out.csv.orvanta-41-0.tmp"));
    ASSERT_TRUE(running.IsOpen());
    ASSERT_TRUE(writing.IsOpen());

    RemoveAbandonedRunFiles(folder_.string(), self);
    RemoveAbandonedOutputs(PathOf("out.csv"));
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(FolderEntries(), expected);

    // Once the sort ends without cleaning up, its files are abandoned too.
    running.Close();
    writing.Close();
    RemoveAbandonedRunFiles(folder_.string(), self);
    RemoveAbandonedOutputs(PathOf("out.csv"));
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{"orvanta-30-1.run.keep", "orvanta-notes.txt",
                                        "other.csv.orvanta-40-0.tmp", "out.csv",
                                        "out.csv.2024-12.tmp", "out.csv.bak"}));
}

TEST_F(AbandonedFiles, ALockIsHeldByOneHolderAtATime) {
    File first = File::HoldLock(PathOf("orvanta-3.lock"));
    ASSERT_TRUE(first.IsOpen());
    EXPECT_FALSE(RemoveIfAbandoned(PathOf("orvanta-3.lock")));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "orvanta-3.lock"));
    first.Close();
    EXPECT_TRUE(RemoveIfAbandoned(PathOf("orvanta-3.lock")));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "orvanta-3.lock"));
    EXPECT_TRUE(RemoveIfAbandoned(PathOf("never-there")));
}

}  // namespace
}  // namespace orvanta::sorters
