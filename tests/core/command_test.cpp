#include "core/command.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/sjis.h"

namespace orvanta {
namespace {

struct CommandFixture : testing::Test {
    SortPageSettings settings;
    KeyList keys;
    std::unique_ptr<CommandBuffer> command = std::make_unique<CommandBuffer>();

    std::string Preview(std::string_view temp = "C:\\Temp") {
        BuildCommandPreview(settings, keys, temp, *command);
        return std::string(command->view());
    }
    std::string Full(std::string_view moduleDirectory = "C:\\Tools\\",
                     std::string_view temp = "C:\\Temp") {
        BuildFullCommand(settings, keys, moduleDirectory, temp, *command);
        return std::string(command->view());
    }
    // A page as it starts: work folder equal to TEMP, comma delimiter.
    void StartPage(SortPageKind kind) {
        settings.kind = kind;
        settings.workFolder = "C:\\Temp";
        settings.delimiterHex = kind == SortPageKind::Csv ? "2C" : "";
    }
};

TEST_F(CommandFixture, WorkedExampleOfTheCsvPage) {
    StartPage(SortPageKind::Csv);
    settings.inputPath = "C:\\work\\sales.csv";
    settings.outputPath = "C:\\work\\sales_out.csv";
    keys.Add(DisplayText("key(2,32)"));
    keys.Add(DisplayText("key(5)attr(d;i)"));
    settings.memoryMb = "0512";
    settings.ignoreCase = true;
    settings.delimiterHex = "09";

    EXPECT_EQ(Preview(),
              "Pellacor.exe sales.csv sales_out.csv key(2,32) key(5)attr(d;i) /M 512 /I {0x09}");
    EXPECT_EQ(Full(),
              "\"C:\\Tools\\Pellacor.exe\" \"C:\\work\\sales.csv\" \"C:\\work\\sales_out.csv\" "
              "key(2,32) key(5)attr(d;i) /M 512 /I {0x09}");
    EXPECT_FALSE(command->tooLong());
}

TEST_F(CommandFixture, TextPageHasNoDelimiterAndWritesW) {
    StartPage(SortPageKind::Text);
    settings.inputPath = "D:\\in\\data.txt";
    settings.outputPath = "D:\\in\\data_out.txt";
    settings.utf16Le = true;
    keys.Add(DisplayText("key(5,8)attr(a;z)"));
    EXPECT_EQ(Preview(), "Trivandel.exe data.txt data_out.txt key(5,8)attr(a;z) /W");
    EXPECT_EQ(Full("C:\\T\\"),
              "\"C:\\T\\Trivandel.exe\" \"D:\\in\\data.txt\" \"D:\\in\\data_out.txt\" "
              "key(5,8)attr(a;z) /W");
}

TEST_F(CommandFixture, OptionTail) {
    const struct {
        std::string memory;
        std::string workFolder;
        std::string delimiter;
        std::string tail;
    } cases[] = {
        {"", "C:\\Temp", "2C", ""},
        {"0", "C:\\Temp", "2c", ""},
        {"0000", "C:\\Temp", "2C", ""},
        {"007", "C:\\Temp", "2C", " /M 7"},
        {"", "c:\\temp", "2C", " /T \"c:\\temp\""},
        {"", "C:\\Temp\\", "2C", " /T \"C:\\Temp\\\""},
        {"", "", "2C", " /T \"\""},
        {"", "C:\\Temp", "09", " {0x09}"},
        {"", "C:\\Temp", "7c", " {0x7c}"},
        {"", "C:\\Temp", "", " {0x}"},
        {"12", "D:\\w", "3B", " /M 12 /T \"D:\\w\" {0x3B}"},
    };
    StartPage(SortPageKind::Csv);
    for (const auto& c : cases) {
        settings.memoryMb = c.memory;
        settings.workFolder = c.workFolder;
        settings.delimiterHex = c.delimiter;
        EXPECT_EQ(Preview(), "Pellacor.exe  " + c.tail) << c.memory << c.workFolder << c.delimiter;
        EXPECT_EQ(Full("M\\"), "\"M\\Pellacor.exe\" \"\" \"\"" + c.tail);
    }
}

TEST_F(CommandFixture, WithoutTempTheWorkFolderComparesWithEmptyText) {
    StartPage(SortPageKind::Text);
    settings.workFolder = "";
    EXPECT_EQ(Preview(""), "Trivandel.exe  ");
    settings.workFolder = "C:\\Temp";
    EXPECT_EQ(Preview(""), "Trivandel.exe   /T \"C:\\Temp\"");
}

TEST_F(CommandFixture, PreviewNamesFilesByTheirLastComponent) {
    StartPage(SortPageKind::Text);
    const struct {
        std::string path;
        std::string shown;
    } cases[] = {
        {"C:\\a\\b.txt", "b.txt"},
        {"b.txt", "b.txt"},
        {"C:\\a\\", ""},
        {"C:\\a\\\x95\x5C.txt", "\x95\x5C.txt"},
        {"C:\\\x95\x5C", "\x95\x5C"},
    };
    for (const auto& c : cases) {
        settings.inputPath = c.path;
        settings.outputPath = "o";
        EXPECT_EQ(Preview(), "Trivandel.exe " + c.shown + " o") << c.path;
    }
}

TEST(ContainsKeyText, IsAPlainCaseSensitiveSearch) {
    EXPECT_TRUE(ContainsKeyText("\"C:\\x\\Pellacor.exe\" \"a\" \"b\" key(1,32)"));
    EXPECT_TRUE(ContainsKeyText("\"C:\\monkey\\Pellacor.exe\" \"a\" \"b\""));
    EXPECT_FALSE(ContainsKeyText("\"C:\\x\\Pellacor.exe\" \"KEY\" \"b\""));
    EXPECT_FALSE(ContainsKeyText(""));
}

TEST_F(CommandFixture, TooLongCommandIsReportedAndNeverOverflows) {
    StartPage(SortPageKind::Text);
    const std::string path = "C:\\" + std::string(256, 'p');  // 259 bytes
    settings.inputPath = path;
    settings.outputPath = path;
    settings.workFolder = path;
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(keys.Add(DisplayText("key(9999999,9999999)attr(d;z)")),
                  KeyList::AddResult::Added);
    }
    const std::string full = Full(path.substr(0, 250) + "\\", "");
    EXPECT_TRUE(command->tooLong());
    EXPECT_EQ(full.size(), CommandBuffer::kMaxCommandBytes);
    EXPECT_EQ(std::string(command->c_str()), full);

    const std::string preview = Preview("");
    EXPECT_TRUE(command->tooLong());
    EXPECT_EQ(preview.rfind("Trivandel.exe " + path.substr(3) + " ", 0), 0u);

    // A command that fits clears the mark again.
    keys.Clear();
    settings.inputPath = "a";
    Full();
    EXPECT_FALSE(command->tooLong());
}

TEST(CommandBuffer, CutsOnACharacterBoundary) {
    auto command = std::make_unique<CommandBuffer>();
    command->Append(std::string(CommandBuffer::kMaxCommandBytes - 1, 'a'));
    command->Append("\x95\x5C");
    EXPECT_TRUE(command->tooLong());
    EXPECT_EQ(command->view().size(), CommandBuffer::kMaxCommandBytes - 1);
    command->Append("b");  // nothing more after the cut
    EXPECT_EQ(command->view().size(), CommandBuffer::kMaxCommandBytes - 1);

    command->Reset();
    command->Append(std::string(CommandBuffer::kMaxCommandBytes, 'a'));
    EXPECT_FALSE(command->tooLong());
    command->Append("");
    EXPECT_FALSE(command->tooLong());
}

}  // namespace
}  // namespace orvanta
