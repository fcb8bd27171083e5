// An output name that stands for a pipe must not be replaced by a plain file (POSIX: a real
// FIFO; a device such as /dev/null is the same case, but not one to risk in a test).

#include <sys/stat.h>

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

using SpecialOutput = SorterTest;

TEST_F(SpecialOutput, RefusesAPipeAndLeavesItInPlace) {
    WriteFile("in", "b\na\n");
    ASSERT_EQ(mkfifo(PathOf("pipe").c_str(), 0600), 0);
    EXPECT_EQ(Run(SorterKind::Text, {"in", "pipe"}), kExitRefused);
    EXPECT_TRUE(std::filesystem::is_fifo(folder_ / "pipe"));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in", "pipe"}));
}

}  // namespace
}  // namespace orvanta::sorters
