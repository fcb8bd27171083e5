#include "core/sample_record.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "tests/core/csv_field_reference.h"

namespace orvanta {
namespace {

using namespace std::string_literals;

// Sample files live beside the test executable, named in code page 932 bytes.
class SampleFile {
  public:
    SampleFile(const std::string& name, const std::string& bytes) : name_("sample_" + name) {
        std::FILE* file = std::fopen(name_.c_str(), "wb");
        EXPECT_NE(file, nullptr) << name_;
        if (file != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~SampleFile() { std::remove(name_.c_str()); }
    const char* path() const { return name_.c_str(); }

  private:
    std::string name_;
};

std::string Utf16Le(std::u16string units) {
    std::string bytes;
    for (char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// A record left from an earlier read, so that a read that finds none can be seen to keep it.
std::unique_ptr<SampleRecord> Earlier() {
    auto record = std::make_unique<SampleRecord>();
    std::snprintf(record->text, sizeof record->text, "earlier");
    record->length = 7;
    record->fieldCount = 9;
    record->encoding = EncodingClass::NoMark;
    return record;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    EncodingClass encoding;
    std::string text;  // what text holds afterwards ("earlier" when no record was found)
    int length;
    int fieldCount;
};

TEST(ReadSampleRecord, ClassifiesAndTakesTheFirstRecord) {
    const ReadCase cases[] = {
        {"crlf", "a,b,c\r\nd,e\n", EncodingClass::NoMark, "a,b,c", 5, 3},
        {"lf", "a,b,\nx", EncodingClass::NoMark, "a,b,", 4, 3},
        {"quoted", "\"x,y\",z\n", EncodingClass::NoMark, "\"x,y\",z", 7, 2},
        {"quote_inside", "a\"b,c\n", EncodingClass::NoMark, "a\"b,c", 5, 1},
        {"leading_lf", "\nabc\n", EncodingClass::NoMark, "", 0, 0},
        {"cr_only_record", "\r\n", EncodingClass::NoMark, "", 0, 0},
        {"two_cr", "a\r\r\n", EncodingClass::NoMark, "a\r", 2, 1},
        {"utf8", "\xEF\xBB\xBF\xE3\x81\x82,\xE3\x81\x84\r\n", EncodingClass::Utf8,
         "\x82\xA0,\x82\xA2", 5, 2},
        {"utf8_mark_only_line", "\xEF\xBB\xBF\n", EncodingClass::Utf8, "", 0, 0},
        {"utf16", Utf16Le(u"\uFEFFa,b\r\n"), EncodingClass::Utf16Le, "a,b", 3, 2},
        {"utf16_kanji", Utf16Le(u"\uFEFF\u8868,\u4E02\n"), EncodingClass::Utf16Le, "\x95\x5C, ", 4,
         2},
        {"not_utf8_mark", "\xEF\xBB\x41,b\n", EncodingClass::NoMark, "\xEF\xBB\x41,b", 5, 2},
        {"big_endian_mark", "\xFE\xFF\x00\x41\n"s, EncodingClass::NoMark, "earlier", 0, 0},
        {"ff_alone", "\xFF\x41\n", EncodingClass::NoMark, "\xFF\x41", 2, 1},
        {"sjis_delimiter_trail", "\x83\x7C|x\n", EncodingClass::NoMark, "\x83\x7C|x", 4, 3},
    };
    for (const auto& c : cases) {
        SampleFile file(c.name, c.bytes);
        auto record = Earlier();
        const unsigned char delimiter = std::string(c.name) == "sjis_delimiter_trail" ? '|' : ',';
        ReadSampleRecord(SortPageKind::Csv, file.path(), *record, delimiter);
        EXPECT_EQ(record->encoding, c.encoding) << c.name;
        EXPECT_EQ(std::string(record->text), c.text) << c.name;
        EXPECT_EQ(record->length, c.length) << c.name;
        EXPECT_EQ(record->fieldCount, c.fieldCount) << c.name;
    }
}

TEST(ReadSampleRecord, NoRecordKeepsTheEarlierText) {
    const struct {
        const char* name;
        std::string bytes;
        EncodingClass encoding;
    } cases[] = {
        {"empty", "", EncodingClass::NoMark},
        {"no_line_end", "a,b,c", EncodingClass::NoMark},
        {"zero_before_lf", "a\0b\n"s, EncodingClass::NoMark},
        {"utf16_no_lf", Utf16Le(u"\uFEFFa,b"), EncodingClass::Utf16Le},
        {"utf16_mark_only", "\xFF\xFE", EncodingClass::Utf16Le},
        {"utf16_zero_unit", Utf16Le(u"\uFEFFa\0b\n"s), EncodingClass::Utf16Le},
        // Without a mark the zero high byte of the first character ends the search.
        {"utf16_unmarked", Utf16Le(u"a,b\r\n"), EncodingClass::NoMark},
        {"utf8_no_lf", "\xEF\xBB\xBF\xE3\x81\x82", EncodingClass::Utf8},
    };
    for (const auto& c : cases) {
        SampleFile file(c.name, c.bytes);
        auto record = Earlier();
        ReadSampleRecord(SortPageKind::Csv, file.path(), *record, ',');
        EXPECT_EQ(record->encoding, c.encoding) << c.name;
        EXPECT_EQ(record->length, 0) << c.name;
        EXPECT_EQ(record->fieldCount, 0) << c.name;
        EXPECT_STREQ(record->text, "earlier") << c.name;
    }
}

TEST(ReadSampleRecord, MissingFileOrFolderCannotBeOpened) {
    for (const char* path : {"sample_does_not_exist.csv", "."}) {
        auto record = Earlier();
        ReadSampleRecord(SortPageKind::Csv, path, *record, ',');
        EXPECT_EQ(record->encoding, EncodingClass::NotOpened) << path;
        EXPECT_EQ(record->length, 0) << path;
        EXPECT_EQ(record->fieldCount, 0) << path;
        EXPECT_STREQ(record->text, "earlier") << path;
    }
}

TEST(ReadSampleRecord, TextKindCountsNoFields) {
    SampleFile file("text_kind", "ABCDEFGHIJ\r\nK\n");
    auto record = Earlier();
    ReadSampleRecord(SortPageKind::Text, file.path(), *record, ',');
    EXPECT_EQ(record->encoding, EncodingClass::NoMark);
    EXPECT_STREQ(record->text, "ABCDEFGHIJ");
    EXPECT_EQ(record->length, 10);
    EXPECT_EQ(record->fieldCount, 9);  // untouched

    SampleFile empty("text_kind_empty", "");
    ReadSampleRecord(SortPageKind::Text, empty.path(), *record, ',');
    EXPECT_EQ(record->length, 0);
    EXPECT_EQ(record->fieldCount, 9);
}

TEST(ReadSampleRecord, OpensAPathWithAShiftJisName) {
    SampleFile file("\x95\x5C.csv", "x,y\n");  // 表.csv
    auto record = Earlier();
    ReadSampleRecord(SortPageKind::Csv, file.path(), *record, ',');
    EXPECT_EQ(record->encoding, EncodingClass::NoMark);
    EXPECT_STREQ(record->text, "x,y");
    EXPECT_EQ(record->fieldCount, 2);
}

TEST(ReadSampleRecord, ReadsNoMoreThan65535Bytes) {
    const struct {
        const char* name;
        std::string bytes;
        int length;
    } cases[] = {
        {"max_lf", std::string(65534, 'r') + "\n", 65534},
        {"max_crlf", std::string(65533, 'r') + "\r\n", 65533},
        // The line feed lies beyond the bytes read: no record.
        {"past_lf", std::string(65535, 'r') + "\n", 0},
        {"past_crlf", std::string(65534, 'r') + "\r\n", 0},
    };
    for (const auto& c : cases) {
        SampleFile file(c.name, c.bytes);
        auto record = Earlier();
        ReadSampleRecord(SortPageKind::Text, file.path(), *record, ',');
        EXPECT_EQ(record->length, c.length) << c.name;
        if (c.length > 0) {
            EXPECT_EQ(std::string(record->text).size(), static_cast<std::size_t>(c.length));
        }
    }

    // UTF-16: 32,766 kanji after the mark and a line feed fill the read exactly.
    std::u16string units(32768, u'\u8868');
    units.front() = u'\uFEFF';
    units.back() = u'\n';
    SampleFile wide("max_utf16", Utf16Le(units));
    auto record = Earlier();
    ReadSampleRecord(SortPageKind::Text, wide.path(), *record, ',');
    EXPECT_EQ(record->encoding, EncodingClass::Utf16Le);
    EXPECT_EQ(record->length, 65532);
}

TEST(DecodeSampleRecord, CsvRecordsMatchThePlainSearchAndTouchNothingBeyond) {
    // Starts of up to the whole read, with the first line end anywhere and a zero in some; the
    // store is filled with a guard byte first, which must survive everywhere past the record.
    std::mt19937 random(31);
    auto record = std::make_unique<SampleRecord>();
    for (int round = 0; round < 200; ++round) {
        const std::size_t size = round % 5 == 0 ? 60000 + random() % 5700 : random() % 3000;
        std::string bytes(size, 'a');
        for (char& byte : bytes) {
            const unsigned pick = random() % 100;
            byte = pick < 15 ? '"' : pick < 35 ? ',' : static_cast<char>(random() % 255 + 1);
        }
        if (size > 0 && round % 7 != 0) {
            const std::size_t lineFeed = random() % size;
            bytes[lineFeed] = '\n';
            if (lineFeed > 0 && round % 2 == 0) {
                bytes[lineFeed - 1] = '\r';
            }
        }
        if (size > 0 && round % 3 == 0) {
            bytes[random() % size] = '\0';
        }
        const unsigned char delimiter = round % 4 == 0 ? '\r' : ',';

        std::memset(record->text, 'G', sizeof record->text);
        record->length = 5;
        record->fieldCount = 9;
        DecodeSampleRecord(SortPageKind::Csv, bytes, *record, delimiter);

        const std::string_view read = std::string_view(bytes).substr(0, 65535);
        const std::size_t lineFeed = read.substr(0, read.find('\0')).find('\n');
        std::size_t kept = 0;
        if (lineFeed == std::string_view::npos) {
            ASSERT_EQ(record->length, 0) << round;
            ASSERT_EQ(record->fieldCount, 0) << round;
        } else {
            std::string_view expected = read.substr(0, lineFeed);
            if (!expected.empty() && expected.back() == '\r') {
                expected.remove_suffix(1);
            }
            ASSERT_EQ(record->view(), expected) << round;
            ASSERT_EQ(record->text[expected.size()], '\0') << round;
            ASSERT_EQ(record->fieldCount, reference::CountFields(expected, delimiter)) << round;
            kept = expected.size() + 1;
        }
        ASSERT_EQ(std::string_view(record->text + kept, sizeof record->text - kept),
                  std::string(sizeof record->text - kept, 'G'))
            << round;
    }
}

TEST(ReadSampleRecord, CountsFieldsWithTheDelimiterInForceAtTheRead) {
    SampleFile file("delimiters", "a;b,c;d\n");
    auto record = Earlier();
    ReadSampleRecord(SortPageKind::Csv, file.path(), *record, ';');
    EXPECT_EQ(record->fieldCount, 3);
    ReadSampleRecord(SortPageKind::Csv, file.path(), *record, 0);
    EXPECT_EQ(record->fieldCount, 1);
}

}  // namespace
}  // namespace orvanta
