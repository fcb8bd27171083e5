#include "sorters/command_line.h"

#include <gtest/gtest.h>

namespace orvanta::sorters {
namespace {

std::vector<std::string> Args(std::initializer_list<const char*> tail) {
    std::vector<std::string> args = {"in.csv", "out.csv"};
    args.insert(args.end(), tail.begin(), tail.end());
    return args;
}

TEST(CommandLine, ReadsEveryKeyFormAndOptionAsTheWizardWritesThem) {
    const ParsedCommand csv = ParseCommandLine(
        SorterKind::Csv,
        Args({"key(2,32)", "key(03,10)attr(d)", "key(5)attr(d;i)", "key(6)attr(a;z)", "/W", "/M",
              "0512", "/T", "C:\\Work\\", "/I", "{0x7c}"}));
    ASSERT_TRUE(csv.job) << csv.error;
    const SortJob& job = *csv.job;
    EXPECT_EQ(job.inputPath, "in.csv");
    EXPECT_EQ(job.outputPath, "out.csv");
    ASSERT_EQ(job.keys.size(), 4u);
    EXPECT_EQ(job.keys[0].position, 2);
    EXPECT_EQ(job.keys[0].length, 32);
    EXPECT_FALSE(job.keys[0].descending);
    EXPECT_EQ(job.keys[1].position, 3);
    EXPECT_EQ(job.keys[1].length, 10);
    EXPECT_TRUE(job.keys[1].descending);
    EXPECT_EQ(job.keys[2].type, KeyType::Number);
    EXPECT_TRUE(job.keys[2].descending);
    EXPECT_EQ(job.keys[3].type, KeyType::CommaNumber);
    EXPECT_FALSE(job.keys[3].descending);
    EXPECT_TRUE(job.utf16);
    EXPECT_EQ(job.memoryBytes, 512u << 20);
    EXPECT_EQ(job.workFolder, "C:\\Work\\");
    EXPECT_TRUE(job.ignoreCase);
    EXPECT_EQ(job.delimiter, 0x7C);

    const ParsedCommand text = ParseCommandLine(
        SorterKind::Text, Args({"key(5,8)attr(a;z)", "key(1,12)", "/i", "/m", "7"}));
    ASSERT_TRUE(text.job) << text.error;
    EXPECT_EQ(text.job->keys[0].length, 8);
    EXPECT_EQ(text.job->keys[0].type, KeyType::CommaNumber);
    EXPECT_TRUE(text.job->ignoreCase);
    EXPECT_EQ(text.job->memoryBytes, 7u << 20);
    EXPECT_EQ(text.job->delimiter, ',');
}

TEST(CommandLine, WithoutOptionsTakesTheDefaults) {
    const ParsedCommand parsed = ParseCommandLine(SorterKind::Text, Args({}));
    ASSERT_TRUE(parsed.job);
    EXPECT_TRUE(parsed.job->keys.empty());
    EXPECT_EQ(parsed.job->memoryBytes, std::uint64_t{2048} << 20);
    EXPECT_TRUE(parsed.job->workFolder.empty());
    EXPECT_FALSE(parsed.job->utf16);
    EXPECT_FALSE(parsed.job->ignoreCase);
}

struct Refusal {
    SorterKind kind;
    std::vector<std::string> args;
};

TEST(CommandLine, RefusesWhatTheWizardNeverWrites) {
    const Refusal cases[] = {
        {SorterKind::Csv, {}},
        {SorterKind::Csv, {"in.csv"}},
        {SorterKind::Csv, {"", "out.csv"}},
        {SorterKind::Csv, {"in.csv", ""}},
        {SorterKind::Csv, Args({"key(0,5)"})},
        {SorterKind::Csv, Args({"key(2,0)"})},
        {SorterKind::Csv, Args({"key(2)"})},
        {SorterKind::Csv, Args({"key(2)attr(d)"})},
        {SorterKind::Csv, Args({"key(2,5)attr(a)"})},
        {SorterKind::Csv, Args({"key(2,5)attr(a;i)"})},  // text form
        {SorterKind::Text, Args({"key(2)attr(a;i)"})},   // CSV form
        {SorterKind::Csv, Args({"key(2)attr(a;s)"})},
        {SorterKind::Csv, Args({"key(2)attr(x;i)"})},
        {SorterKind::Csv, Args({"key(5x,3)"})},
        {SorterKind::Csv, Args({"key(-1,3)"})},
        {SorterKind::Csv, Args({"key(1,3)junk"})},
        {SorterKind::Csv, Args({"KEY(1,3)"})},
        {SorterKind::Csv, Args({"/M"})},
        {SorterKind::Csv, Args({"/M", "0"})},
        {SorterKind::Csv, Args({"/M", "-5"})},
        {SorterKind::Csv, Args({"/M", "12MB"})},
        {SorterKind::Csv, Args({"/T"})},
        {SorterKind::Csv, Args({"/T", ""})},
        {SorterKind::Csv, Args({"/W", "/W"})},
        {SorterKind::Csv, Args({"/I", "key(1,2)"})},
        {SorterKind::Csv, Args({"/X"})},
        {SorterKind::Csv, Args({"{0x}"})},
        {SorterKind::Csv, Args({"{0x9}"})},
        {SorterKind::Csv, Args({"{0xG1}"})},
        {SorterKind::Csv, Args({"{0x0A}"})},
        {SorterKind::Csv, Args({"{0x00}"})},
        {SorterKind::Csv, Args({"{0x09}", "{0x09}"})},
        {SorterKind::Text, Args({"{0x09}"})},
        {SorterKind::Text, Args({"extra"})},
    };
    for (const Refusal& refusal : cases) {
        const ParsedCommand parsed = ParseCommandLine(refusal.kind, refusal.args);
        std::string shown;
        for (const std::string& arg : refusal.args) {
            shown += "[" + arg + "] ";
        }
        EXPECT_FALSE(parsed.job) << shown;
        EXPECT_FALSE(parsed.error.empty()) << shown;
    }
}

TEST(CommandLine, SplitsTheWizardsQuotingWithBackslashesKept) {
    EXPECT_EQ(SplitCommandLine("\"C:\\Tools\\Pellacor.exe\" \"C:\\a b\\in.csv\" \"o.csv\" "
                               "key(2,32) /T \"C:\\Temp\\\" /I"),
              (std::vector<std::string>{"C:\\Tools\\Pellacor.exe", "C:\\a b\\in.csv", "o.csv",
                                        "key(2,32)", "/T", "C:\\Temp\\", "/I"}));
    EXPECT_EQ(SplitCommandLine("  x  \"\"  y"), (std::vector<std::string>{"x", "", "y"}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
}

}  // namespace
}  // namespace orvanta::sorters
