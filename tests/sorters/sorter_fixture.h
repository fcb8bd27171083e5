#pragma once
// A folder of its own for each test, with helpers to write inputs, run a sorter and read
// the result.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sorters/reporter.h"
#include "sorters/sorter.h"

namespace orvanta::sorters {

class CapturingReporter : public Reporter {
  public:
    void Message(std::string_view text) override { messages.emplace_back(text); }
    void Progress(std::string_view text) override { progress.emplace_back(text); }
    std::vector<std::string> messages;
    std::vector<std::string> progress;
};

// Rows "n,some text to sort by" for every n below `rows` (which 7919, a prime, must not
// divide), in a scrambled order or sorted.
std::string NumberedRows(std::uint64_t rows, bool scrambled);

class SorterTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    std::string PathOf(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;
    // Where a sorter process started by a test writes its messages: beside the test's folder,
    // which then holds only what the sort left.
    std::string ChildMessagesPath() const;
    // What that process wrote there; the file is removed.
    std::string TakeChildMessages() const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> FolderEntries() const;

    // Runs the sorter on in-folder names: args[0] and args[1] are made paths in the folder.
    int Run(SorterKind kind, std::vector<std::string> args);
    // Sorts `input` with `tail` as the rest of the command; the sorted bytes.
    std::string Sort(SorterKind kind, const std::string& input, std::vector<std::string> tail);

    // A sort ended from outside: in.csv holds `rows` scrambled numbered rows, out.csv an old
    // output, and "work" is the empty work folder.
    void WriteFilesForAnEndedSort(std::uint64_t rows);
    // Waits until the unfinished output of process `id` has bytes, which it gets only in its last
    // merge; false when that did not come within a minute.
    bool WaitForTheLastMerge(unsigned id) const;
    // After process `id` was ended in its merge: its files are left and out.csv is as it was;
    // the next sort then gives the sorted rows and leaves nothing else.
    void ExpectTheNextSortToRemoveWhatItLeft(unsigned id, std::uint64_t rows);

    std::filesystem::path folder_;
    CapturingReporter reporter_;
};

}  // namespace orvanta::sorters
