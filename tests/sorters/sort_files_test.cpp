// Whole sorts through files, as the wizard's commands run them.

#include "sorter_fixture.h"

namespace orvanta::sorters {
namespace {

using Csv = SorterTest;
using Text = SorterTest;
using Output = SorterTest;

TEST_F(Csv, KeepsQuotedDelimitersDoubledQuotesAndLineFeedsInsideOneRecord) {
    const std::string input =
        "3,\"c,1\",x\n"
        "1,\"a \"\"q\"\" \nsecond line\",y\n"
        "2,  b  ,z\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2,32)"}),
              "1,\"a \"\"q\"\" \nsecond line\",y\n"
              "2,  b  ,z\n"
              "3,\"c,1\",x\n");
    // Field 3 of each record, descending: the quoted comma and line feed are no separators.
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(3,1)attr(d)"}),
              "2,  b  ,z\n"
              "1,\"a \"\"q\"\" \nsecond line\",y\n"
              "3,\"c,1\",x\n");
}

TEST_F(Csv, CutsFieldsToTheKeyLengthAndKeepsTiesInInputOrder) {
    const std::string input = "x,abcd1\ny,abc\nz,abcd0\nw,abce\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2,4)"}), "y,abc\nx,abcd1\nz,abcd0\nw,abce\n");
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2,4)attr(d)"}),
              "w,abce\nx,abcd1\nz,abcd0\ny,abc\n");
}

TEST_F(Csv, EndsAKeyAtTheFirstNulOfItsField) {
    using namespace std::string_literals;
    // "ab\0z" and "ab\0a" are the key "ab", equal to the plain "ab": their input order stays.
    EXPECT_EQ(Sort(SorterKind::Csv, "1,ab\0z,x\n2,b\n3,ab\0a\n4,ab\n5,a\0c\n"s, {"key(2,8)"}),
              "5,a\0c\n1,ab\0z,x\n3,ab\0a\n4,ab\n2,b\n"s);
    // Inside quotes too.
    EXPECT_EQ(Sort(SorterKind::Csv, "1,\"ab\0z\"\n2,\"ab\0a\"\n3,\"aa\"\n"s, {"key(2,8)"}),
              "3,\"aa\"\n1,\"ab\0z\"\n2,\"ab\0a\"\n"s);
}

TEST_F(Csv, SortsNumbersOfAnyLengthWithSignsFractionsCommasAndNone) {
    const std::string input =
        "a,1234567890123456789012345678901234567890\n"
        "b,-5\n"
        "c,none\n"
        "d,1234567890123456789012345678901234567889\n"
        "e,\"1,000.5\"\n"
        "f,+7.25\n"
        "g,\n"
        "h,-5.0\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2)attr(a;i)"}),
              "c,none\n"
              "g,\n"
              "b,-5\n"
              "h,-5.0\n"
              "e,\"1,000.5\"\n"
              "f,+7.25\n"
              "d,1234567890123456789012345678901234567889\n"
              "a,1234567890123456789012345678901234567890\n");
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2)attr(d;z)"}),
              "a,1234567890123456789012345678901234567890\n"
              "d,1234567890123456789012345678901234567889\n"
              "e,\"1,000.5\"\n"
              "f,+7.25\n"
              "b,-5\n"
              "h,-5.0\n"
              "c,none\n"
              "g,\n");
}

TEST_F(Csv, ComparesKeysInOrderAndEachDirectionAlone) {
    const std::string input = "k1,2\nk2,1\nk1,10\nk2,3\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(1,2)attr(d)", "key(2)attr(a;i)"}),
              "k2,1\nk2,3\nk1,2\nk1,10\n");
}

TEST_F(Csv, TakesTheDelimiterFromTheCommandEvenAsASecondByte) {
    // 0x83 0x7C is one two-byte character whose second byte is '|'; the field scan, like the
    // wizard's field count, takes it as a delimiter.
    const std::string input = "b|2\n\x83|1|0\na|3\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(2,9)", "{0x7C}"}), "\x83|1|0\nb|2\na|3\n");
    const std::string tabs = "b\t2\na\t1\n";
    EXPECT_EQ(Sort(SorterKind::Csv, tabs, {"key(2,9)", "{0x09}"}), "a\t1\nb\t2\n");
}

TEST_F(Csv, FoldsCaseOnlyInOneByteCharacters) {
    // With /I, b and B are equal (input order stays); 0x83 0x61 and 0x83 0x41 are not.
    const std::string input = "b,1\nB,2\na,3\n\x83\x61,4\n\x83\x41,5\n";
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(1,9)", "/I"}),
              "a,3\nb,1\nB,2\n\x83\x41,5\n\x83\x61,4\n");
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(1,9)"}),
              "B,2\na,3\nb,1\n\x83\x41,5\n\x83\x61,4\n");
}

TEST_F(Text, TakesColumnsAndSortsWholeLinesWithoutKeys) {
    const std::string input = "xx0300\nyy0100\nzz0200\nww01\n";
    EXPECT_EQ(Sort(SorterKind::Text, input, {"key(3,4)"}), "ww01\nyy0100\nzz0200\nxx0300\n");
    EXPECT_EQ(Sort(SorterKind::Text, input, {"key(3,4)attr(d;i)"}),
              "xx0300\nzz0200\nyy0100\nww01\n");
    EXPECT_EQ(Sort(SorterKind::Text, input, {}), "ww01\nxx0300\nyy0100\nzz0200\n");
    // Bytes compare unsigned: 0xE0 after ASCII.
    EXPECT_EQ(Sort(SorterKind::Text, "\xE0\x40\nz\n", {}), "z\n\xE0\x40\n");
}

TEST_F(Text, ReadsUtf16WithKeysFromTheCodePage932Form) {
    // Records あa, いb, アc (CR LF ends): in code page 932 each kana takes two bytes, so
    // column 3 is the letter. Sorted descending on it.
    const std::string bom = "\xFF\xFE";
    const std::string crlf("\r\0\n\0", 4);
    const std::string aa(
        "\x42\x30"
        "a\0",
        4);  // あ a
    const std::string ib(
        "\x44\x30"
        "b\0",
        4);  // い b
    const std::string ac(
        "\xA2\x30"
        "c\0",
        4);  // ア c
    const std::string input = bom + aa + crlf + ib + crlf + ac;
    const std::string sorted = Sort(SorterKind::Text, input, {"key(3,1)attr(d)", "/W"});
    EXPECT_EQ(sorted, bom + ac + crlf + ib + crlf + aa + crlf);
}

TEST_F(Csv, ReadsUtf16FieldsAndQuotedLineFeeds) {
    const std::string lf("\n\0", 2);
    auto wide = [](const std::string& ascii) {
        std::string units;
        for (char c : ascii) {
            units.push_back(c);
            units.push_back('\0');
        }
        return units;
    };
    const std::string input = "\xFF\xFE" + wide("2,\"x\ny\"") + lf + wide("1,z") + lf;
    EXPECT_EQ(Sort(SorterKind::Csv, input, {"key(1,1)", "/W"}),
              "\xFF\xFE" + wide("1,z") + lf + wide("2,\"x\ny\"") + lf);
}

TEST_F(Output, EndsEveryRecordWithTheFirstRecordsLineEnd) {
    EXPECT_EQ(Sort(SorterKind::Text, "b\r\nc\na", {}), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(Sort(SorterKind::Text, "b\nc\r\na", {}), "a\nb\nc\n");
    // A carriage return without a line feed after it is part of the record.
    EXPECT_EQ(Sort(SorterKind::Text, "b\na\r", {}), "a\r\nb\n");
    EXPECT_EQ(Sort(SorterKind::Text, "only", {}), "only");
    EXPECT_EQ(Sort(SorterKind::Text, "\n\nb\n", {}), "\n\nb\n");
}

TEST_F(Output, WritesTheByteOrderMarkAgainAndNothingForAnEmptyInput) {
    EXPECT_EQ(Sort(SorterKind::Csv, "\xEF\xBB\xBFz,1\na,2\n", {"key(1,1)"}),
              "\xEF\xBB\xBF"
              "a,2\nz,1\n");
    EXPECT_EQ(Sort(SorterKind::Csv, "", {"key(1,1)"}), "");
    EXPECT_EQ(Sort(SorterKind::Csv, "\xEF\xBB\xBF", {"key(1,1)"}), "\xEF\xBB\xBF");
    EXPECT_EQ(Sort(SorterKind::Text, "\xFF\xFE", {"/W"}), "\xFF\xFE");
}

TEST_F(Output, ReplacesTheInputWhenBothAreOneFile) {
    WriteFile("data", "c\nb\na\n");
    EXPECT_EQ(Run(SorterKind::Text, {"data", "data"}), kExitSorted);
    EXPECT_EQ(ReadFile("data"), "a\nb\nc\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"data"});
}

TEST_F(Output, RefusedCommandLeavesAnExistingOutputByteForByte) {
    WriteFile("in", "b\na\n");
    const std::string before("old\0output\r\n", 12);
    const std::vector<std::vector<std::string>> refused = {
        {"in", "out", "key(0,1)"}, {"in", "out", "/M", "0"},
        {"in", "out", "{0x2C}"},  // Trivandel takes no delimiter
        {"missing", "out"},        {"in", "out", "/T", "no_such_folder_here"},
    };
    for (const auto& args : refused) {
        WriteFile("out", before);
        reporter_.messages.clear();
        EXPECT_EQ(Run(SorterKind::Text, args), kExitRefused) << args[2 % args.size()];
        EXPECT_EQ(ReadFile("out"), before);
        ASSERT_EQ(reporter_.messages.size(), 1u);
        EXPECT_FALSE(reporter_.messages[0].empty());
        EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in", "out"}));
    }
}

TEST_F(Output, RefusesAFolderAsOutputOrAnOutputFolderThatIsMissing) {
    WriteFile("in", "a\n");
    std::filesystem::create_directory(folder_ / "sub");
    EXPECT_EQ(Run(SorterKind::Text, {"in", "sub"}), kExitRefused);
    EXPECT_EQ(Run(SorterKind::Text, {"in", "nowhere/out"}), kExitRefused);
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in", "sub"}));
}

}  // namespace
}  // namespace orvanta::sorters
