#include "core/key_preview.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "tests/core/csv_field_reference.h"

namespace orvanta {
namespace {

std::unique_ptr<SampleRecord> Sample(const std::string& text) {
    auto sample = std::make_unique<SampleRecord>();
    std::memcpy(sample->text, text.data(), text.size());
    sample->text[text.size()] = '\0';
    sample->length = static_cast<std::int32_t>(text.size());
    sample->encoding = EncodingClass::NoMark;
    return sample;
}

TEST(PreviewCsvKeyValue, ShowsTheSelectedField) {
    const std::string forty(40, 'f');
    const struct {
        std::string record;
        std::string position;
        std::string length;
        std::string expected;
    } cases[] = {
        {"a,b,c", "2", "", "b"},
        {"a,b,c", "4", "", ""},
        {"a,b,c", "0", "", ""},
        {"a,b,c", "", "", ""},
        {"a,b,c", "-1", "", ""},
        {"a,b,c", "02", "32", "b"},
        {"a,,c", "2", "", "NULL"},
        {forty + ",x", "1", "0", forty.substr(0, 32)},
        {forty + ",x", "1", "", forty.substr(0, 32)},
        {forty + ",x", "1", "5", "fffff"},
        {forty + ",x", "1", "50", forty},
        {forty + ",x", "1", "-3", forty},
        // A cut inside a two-byte character keeps its lead byte alone.
        {"\x82\xA0\x82\xA2,x", "1", "3", "\x82\xA0\x82"},
        // Only the first 7 digits of the position count: 00000012 reads as 1.
        {"a,b,c", "00000012", "", "a"},
    };
    for (const auto& c : cases) {
        auto sample = Sample(c.record);
        EXPECT_EQ(PreviewCsvKeyValue(c.position, c.length, *sample, ','), c.expected)
            << c.record << " item " << c.position << " length " << c.length;
    }
}

// The preview as the plain field rules give it: the whole field up to a zero byte, "NULL" when
// that is empty, cut to a positive key length (32 for none).
std::string PlainPreview(const std::string& record, int item, int length, unsigned char delimiter) {
    std::string value;
    if (!reference::ExtractField(item, record, delimiter, SIZE_MAX, value)) {
        return "";
    }
    value = value.substr(0, value.find('\0'));
    if (value.empty()) {
        return "NULL";
    }
    const int cut = length == 0 ? 32 : length;
    return cut > 0 && static_cast<std::size_t>(cut) < value.size() ? value.substr(0, cut) : value;
}

TEST(PreviewCsvKeyValue, MatchesThePlainRulesForEveryKeyLength) {
    // Long and short fields with quotes, doubled quotes, two-byte characters and zero bytes,
    // and key lengths around the size of the store a short value is extracted into.
    std::mt19937 random(37);
    const int lengths[] = {0, 1, 5, 31, 32, 33, 254, 255, 256, 257, 300, 4000, -1, -300};
    for (int round = 0; round < 300; ++round) {
        std::string record;
        const int fields = 1 + static_cast<int>(random() % 12);
        for (int field = 0; field < fields; ++field) {
            const std::size_t size = random() % 3 == 0 ? random() % 600 : random() % 40;
            std::string text(size, 'v');
            for (char& byte : text) {
                const unsigned pick = random() % 20;
                byte = pick == 0   ? '"'
                       : pick == 1 ? ' '
                       : pick == 2 ? '\0'
                       : pick == 3 ? '\x83'
                                   : static_cast<char>('a' + random() % 26);
            }
            record +=
                (random() % 3 == 0 ? "\"" + text + "\"" : text) + (field + 1 < fields ? "," : "");
        }
        auto sample = Sample(record);
        const int item = 1 + static_cast<int>(random() % (fields + 1));
        for (int length : lengths) {
            const std::string keyLength =
                length == 0 && round % 2 == 0 ? "" : std::to_string(length);
            ASSERT_EQ(PreviewCsvKeyValue(std::to_string(item), keyLength, *sample, ','),
                      PlainPreview(record, item, length, ','))
                << "round " << round << " item " << item << " length " << length;
        }
    }
}

TEST(PreviewCsvKeyValue, FollowsTheDelimiterWithoutANewRead) {
    auto sample = Sample("a;b,c;d");
    EXPECT_EQ(PreviewCsvKeyValue("2", "", *sample, ','), "c;d");
    EXPECT_EQ(PreviewCsvKeyValue("2", "", *sample, ';'), "b,c");
}

TEST(PreviewCsvKeyValue, IsEmptyWithoutASample) {
    auto sample = Sample("a,b");
    sample->length = 0;  // the text of an earlier file stays, but no record was found
    EXPECT_EQ(PreviewCsvKeyValue("1", "", *sample, ','), "");
}

TEST(PreviewTextKeyValue, ShowsTheSelectedColumns) {
    const struct {
        std::string position;
        std::string length;
        std::string expected;
    } cases[] = {
        {"1", "3", "ABC"},      {"8", "3", "HIJ"},
        {"9", "3", ""},         {"10", "1", "J"},
        {"0", "3", ""},         {"1", "0", ""},
        {"", "3", ""},          {"1", "", ""},
        {"-1", "3", ""},        {"1", "10", "ABCDEFGHIJ"},
        {"1", "11", ""},        {"11", "1", ""},
        {"0000001", "2", "AB"},
    };
    auto sample = Sample("ABCDEFGHIJ");
    for (const auto& c : cases) {
        EXPECT_EQ(PreviewTextKeyValue(c.position, c.length, *sample), c.expected)
            << "start " << c.position << " length " << c.length;
    }
}

TEST(PreviewTextKeyValue, TakesBytesAsTheyAreAndAtMost255OfThem) {
    auto kanji = Sample("\x95\x5C\x95\x5C");
    EXPECT_EQ(PreviewTextKeyValue("2", "2", *kanji), "\x5C\x95");

    auto wide = Sample(std::string(300, 'w'));
    EXPECT_EQ(PreviewTextKeyValue("1", "300", *wide), std::string(255, 'w'));
    EXPECT_EQ(PreviewTextKeyValue("1", "301", *wide), "");

    auto empty = Sample("");
    EXPECT_EQ(PreviewTextKeyValue("1", "1", *empty), "");
}

}  // namespace
}  // namespace orvanta
