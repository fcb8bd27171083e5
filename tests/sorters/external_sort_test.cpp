// Inputs larger than the memory given: sorted runs in the work folder, merged.

#include "sorter_fixture.h"

#include <algorithm>

#include "sorters/command_line.h"

namespace orvanta::sorters {
namespace {

using ExternalSort = SorterTest;

// About 1.5 MB of CSV with repeated keys, quoted fields and a few long records.
std::string MakeCsv() {
    std::string text;
    std::uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return (state >> 8) & 0xFFFF;
    };
    for (int row = 0; row < 20000; ++row) {
        text.append(std::to_string(row)).append(",w").append(std::to_string(next() % 500));
        text.append(",\"q,").append(std::to_string(next() % 7)).append("\",");
        text.append(std::to_string(static_cast<int>(next() % 2001) - 1000));
        if (row % 997 == 0) {
            text.append(",").append(70000, 'L');  // larger than a run's buffer
        }
        text += row % 2 == 0 ? "\r\n" : "\n";
    }
    return text;
}

SortJob JobFor(const std::string& input, const std::string& output, const std::string& work) {
    ParsedCommand parsed = ParseCommandLine(
        SorterKind::Csv,
        {input, output, "key(2,3)", "key(4)attr(d;i)", "key(3,4)attr(d)", "/T", work});
    EXPECT_TRUE(parsed.job) << parsed.error;
    return *parsed.job;
}

TEST_F(ExternalSort, GivesTheSameOutputAsInMemoryAndLeavesNoRunFiles) {
    WriteFile("in.csv", MakeCsv());
    std::filesystem::create_directory(folder_ / "work");
    const std::string work = PathOf("work");

    const SortJob inMemory = JobFor(PathOf("in.csv"), PathOf("memory.csv"), work);
    ASSERT_EQ(RunSortJob(inMemory, reporter_), kExitSorted);

    // 256 KB and at most three runs merged at once: many runs and several merge passes.
    SortJob external = JobFor(PathOf("in.csv"), PathOf("external.csv"), work);
    external.memoryBytes = 256 << 10;
    external.maxMergeFanIn = 3;
    ASSERT_EQ(RunSortJob(external, reporter_), kExitSorted);

    const std::string expected = ReadFile("memory.csv");
    EXPECT_EQ(expected.size(), ReadFile("in.csv").size() + 10000);  // every LF became CR LF
    EXPECT_TRUE(ReadFile("external.csv") == expected);
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work"));
    EXPECT_EQ(FolderEntries(),
              (std::vector<std::string>{"external.csv", "in.csv", "memory.csv", "work"}));
}

// The last merge writes the output's second half at the length of its first: the mark and the
// line ends, in either width, must be counted exactly.
TEST_F(ExternalSort, PlacesTheSecondHalfAfterTheMarkAndLineEndsOfTheFirst) {
    struct Form {
        const char* name;
        std::string mark;
        bool utf16;
        std::string lineEnd;
    };
    auto wide = [](const std::string& text) {
        std::string units;
        for (const char c : text) {
            units += c;
            units += '\0';
        }
        return units;
    };
    const Form forms[] = {{"UTF-8 mark, LF", "\xEF\xBB\xBF", false, "\n"},
                          {"no mark, CR LF", "", false, "\r\n"},
                          {"UTF-16 mark, CR LF", "\xFF\xFE", true, wide("\r\n")}};
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::string input = form.mark;
        for (int row = 0; row < 20000; ++row) {
            std::string line = "k";
            line.append(std::to_string((row * 7919) % 3001)).append(",");
            line.append(std::to_string(row));
            input.append(form.utf16 ? wide(line) : line).append(form.lineEnd);
        }
        WriteFile("in.csv", input);
        auto job = [&](const std::string& output) {
            std::vector<std::string> args = {PathOf("in.csv"), PathOf(output), "key(1,5)", "/T",
                                             PathOf("")};
            if (form.utf16) {
                args.push_back("/W");
            }
            ParsedCommand parsed = ParseCommandLine(SorterKind::Csv, args);
            EXPECT_TRUE(parsed.job) << parsed.error;
            return *parsed.job;
        };
        ASSERT_EQ(RunSortJob(job("memory.csv"), reporter_), kExitSorted);
        SortJob external = job("external.csv");
        external.memoryBytes = 256 << 10;
        ASSERT_EQ(RunSortJob(external, reporter_), kExitSorted);
        const std::string expected = ReadFile("memory.csv");
        EXPECT_EQ(expected.size(), input.size());
        EXPECT_TRUE(ReadFile("external.csv") == expected);
    }
}

TEST_F(ExternalSort, KeepsEqualKeysInInputOrderAcrossRuns) {
    std::string input;
    std::string expected[3];
    for (int row = 0; row < 30000; ++row) {
        std::string line = std::to_string(row % 3);
        line.append(",").append(std::to_string(row)).append("\n");
        input += line;
        expected[row % 3] += line;
    }
    WriteFile("in.csv", input);
    ParsedCommand parsed = ParseCommandLine(
        SorterKind::Csv, {PathOf("in.csv"), PathOf("out.csv"), "key(1,1)", "/T", PathOf("")});
    ASSERT_TRUE(parsed.job);
    parsed.job->memoryBytes = 256 << 10;
    parsed.job->maxMergeFanIn = 2;
    ASSERT_EQ(RunSortJob(*parsed.job, reporter_), kExitSorted);
    EXPECT_TRUE(ReadFile("out.csv") == expected[0] + expected[1] + expected[2]);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv"}));
}

TEST_F(ExternalSort, ShowsOneMergePercentageThatOnlyGrowsOverAllPasses) {
    WriteFile("in.csv", NumberedRows(20000, true));
    ParsedCommand parsed = ParseCommandLine(SorterKind::Csv, {PathOf("in.csv"), PathOf("out.csv"),
                                                              "key(1)attr(a;i)", "/T", PathOf("")});
    ASSERT_TRUE(parsed.job);
    parsed.job->memoryBytes = 256 << 10;
    parsed.job->maxMergeFanIn = 2;
    parsed.job->showEveryProgressStep = true;
    ASSERT_EQ(RunSortJob(*parsed.job, reporter_), kExitSorted);
    ASSERT_TRUE(ReadFile("out.csv") == NumberedRows(20000, false));

    const std::string label = "併合中: ";
    std::vector<int> percents;
    for (const std::string& line : reporter_.progress) {
        if (line.starts_with(label)) {
            percents.push_back(std::stoi(line.substr(label.size())));
        }
    }
    // Every item passes one step at a time: several passes show several times the records.
    ASSERT_GT(percents.size(), 3u * 20000);
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
}

}  // namespace
}  // namespace orvanta::sorters
