#include "core/key_preview.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

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
