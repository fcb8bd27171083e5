#include "core/paths.h"

#include <gtest/gtest.h>

#include <string>

#include "core/os/os.h"

namespace orvanta {
namespace {

TEST(ProposeOutputName, InsertsTheTimeOfDayBeforeTheExtension) {
    const struct {
        std::string input;
        os::TimeOfDay time;
        std::string expected;
    } cases[] = {
        {"C:\\data\\sales.csv", {9, 5, 7}, "C:\\data\\sales_090507.csv"},
        {"sales.csv", {9, 5, 7}, ".\\sales_090507.csv"},
        {"C:\\data\\README", {14, 30, 0}, "C:\\data\\README_143000"},
        {"C:\\data\\a.b.txt", {23, 59, 59}, "C:\\data\\a.b_235959.txt"},
        {"C:\\my.dir\\log", {0, 0, 1}, "C:\\my.dir\\log_000001"},
        {"C:\\data\\.csv", {12, 0, 0}, "C:\\data\\_120000.csv"},
        {"C:\\data\\x.", {12, 0, 0}, "C:\\data\\x_120000."},
        // 表 is 0x95 0x5C: its second byte is no separator.
        {"D:\\in\\\x95\x5C.csv", {8, 0, 0}, "D:\\in\\\x95\x5C_080000.csv"},
        {"C:\\data\\", {10, 11, 12}, "C:\\data\\_101112"},
        {"", {10, 11, 12}, ".\\_101112"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProposeOutputName(c.input, c.time), c.expected) << c.input;
    }
}

TEST(ProposeOutputName, LooksAtTheFirst259BytesOnly) {
    const std::string directory = "C:\\" + std::string(250, 'd') + "\\";  // 254 bytes
    const std::string input = directory + "abcd.csv";  // 262 bytes, cut after "abcd."
    const std::string result = ProposeOutputName(input, {1, 2, 3});
    EXPECT_EQ(result, directory + "abcd_010203.");
    EXPECT_EQ(result.size(), 259u + 7u);

    const std::string noSeparator(300, 'x');
    EXPECT_EQ(ProposeOutputName(noSeparator, {1, 2, 3}).size(), 259u + 9u);
}

TEST(ProposeOutputName, UsesTheClockWhenNoTimeIsGiven) {
    const std::string result = ProposeOutputName("C:\\x\\a.csv");
    ASSERT_EQ(result.size(), std::string("C:\\x\\a_hhmmss.csv").size());
    EXPECT_EQ(result.substr(0, 7), "C:\\x\\a_");
    for (std::size_t i = 7; i < 13; ++i) {
        EXPECT_TRUE(result[i] >= '0' && result[i] <= '9') << result;
    }
    EXPECT_EQ(result.substr(13), ".csv");
}

TEST(ModuleDirectoryOf, KeepsTheTrailingBackslashOrFallsBackToDot) {
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {"C:\\Tools\\Orvanta.exe", "C:\\Tools\\"},
        {"Orvanta.exe", ".\\"},
        {"", ".\\"},
        {"C:\\\x95\x5C\\Orvanta.exe", "C:\\\x95\x5C\\"},
        {"C:\\x\x95\x5COrvanta.exe", "C:\\"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ModuleDirectoryOf(c.path), c.expected) << c.path;
    }
    const std::string longPath = "C:\\" + std::string(255, 'a') + "\\b\\Orvanta.exe";
    EXPECT_EQ(ModuleDirectoryOf(longPath), "C:\\" + std::string(255, 'a') + "\\");
}

TEST(ModuleDirectory, IsTheDirectoryOfTheRunningExecutable) {
    const std::string executable = os::ExecutablePath();
    ASSERT_FALSE(executable.empty());
    const std::string directory = ModuleDirectory();
    EXPECT_EQ(directory, ModuleDirectoryOf(executable));
    EXPECT_EQ(ModuleDirectory(), directory);
#ifdef _WIN32
    EXPECT_EQ(executable.compare(0, directory.size(), directory), 0);
    EXPECT_EQ(directory.back(), '\\');
#endif
}

}  // namespace
}  // namespace orvanta
