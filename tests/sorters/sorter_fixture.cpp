#include "sorter_fixture.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "sorters/abandoned_files.h"
#include "sorters/file_io.h"

namespace orvanta::sorters {

std::string NumberedRows(std::uint64_t rows, bool scrambled) {
    std::string text;
    for (std::uint64_t row = 0; row < rows; ++row) {
        text.append(std::to_string(scrambled ? (row * 7919) % rows : row))
            .append(",some text to sort by\n");
    }
    return text;
}

void SorterTest::SetUp() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    // The process id keeps two test programs that run at once (two checkouts) apart.
    std::string name = "orvanta_sorters_";
    name.append(std::to_string(ProcessId())).append("_").append(info->test_suite_name());
    name.append("_").append(info->name());
    folder_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

void SorterTest::TearDown() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string SorterTest::PathOf(const std::string& name) const {
    return (folder_ / name).string();
}

void SorterTest::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream out(PathOf(name), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::string SorterTest::ReadFile(const std::string& name) const {
    return ReadBytes(PathOf(name));
}

std::string SorterTest::ChildMessagesPath() const {
    return (folder_.parent_path() / (folder_.filename().string() + ".log")).string();
}

std::string SorterTest::TakeChildMessages() const {
    const std::string messages = ReadBytes(ChildMessagesPath());
    std::error_code ignored;
    std::filesystem::remove(ChildMessagesPath(), ignored);
    return messages;
}

std::vector<std::string> SorterTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

int SorterTest::Run(SorterKind kind, std::vector<std::string> args) {
    for (std::size_t i = 0; i < 2 && i < args.size(); ++i) {
        if (!args[i].empty()) {
            args[i] = PathOf(args[i]);
        }
    }
    return RunSorter(kind, args, reporter_);
}

std::string SorterTest::Sort(SorterKind kind, const std::string& input,
                             std::vector<std::string> tail) {
    WriteFile("in", input);
    std::vector<std::string> args = {"in", "out"};
    args.insert(args.end(), tail.begin(), tail.end());
    const int status = Run(kind, args);
    EXPECT_EQ(status, kExitSorted) << (reporter_.messages.empty() ? "" : reporter_.messages[0]);
    return ReadFile("out");
}

void SorterTest::WriteFilesForAnEndedSort(std::uint64_t rows) {
    WriteFile("in.csv", NumberedRows(rows, true));
    WriteFile("out.csv", "previous");
    std::filesystem::create_directory(folder_ / "work");
}

bool SorterTest::WaitForTheLastMerge(unsigned id) const {
    const auto unfinished = folder_ / UnfinishedOutputPath("out.csv", id, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    std::error_code missing;
    while (std::filesystem::file_size(unfinished, missing) == 0 || missing) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return true;
}

void SorterTest::ExpectTheNextSortToRemoveWhatItLeft(unsigned id, std::uint64_t rows) {
    EXPECT_EQ(ReadFile("out.csv"), "previous");
    EXPECT_TRUE(std::filesystem::exists(folder_ / UnfinishedOutputPath("out.csv", id, 0)));
    EXPECT_FALSE(std::filesystem::is_empty(folder_ / "work"));

    EXPECT_EQ(Run(SorterKind::Csv, {"in.csv", "out.csv", "key(1)attr(a;i)", "/T", PathOf("work")}),
              kExitSorted);
    EXPECT_TRUE(ReadFile("out.csv") == NumberedRows(rows, false));
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "work"));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.csv", "out.csv", "work"}));
}

}  // namespace orvanta::sorters
