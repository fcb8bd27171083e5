#include "core/csv_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orvanta {
namespace {

// Q stands for the double quote in the cases, as the quotes would drown the table otherwise.
std::string Q(std::string text) {
    std::replace(text.begin(), text.end(), 'Q', '"');
    return text;
}

struct ExtractCase {
    std::string record;
    int n;
    bool found;
    std::string value;
};

TEST(ExtractField, HonoursQuotesTrimsAndCollapses) {
    const ExtractCase cases[] = {
        {"a,b,c", 2, true, "b"},
        {"a,b,c", 3, true, "c"},
        {"a,b,c", 4, false, ""},
        {"a,b,c", 0, false, ""},
        {"a,b,c", -1, false, ""},
        {"a,,c", 2, true, ""},
        {"a,b,", 3, true, ""},
        {",a", 1, true, ""},
        {"  x ,y", 1, true, "x"},
        {Q("Qa,bQ,c"), 1, true, "a,b"},
        {Q("Qa,bQ,c"), 2, true, "c"},
        {Q("QsayQQhiQQQ,z"), 1, true, Q("sayQhiQ")},
        {Q("QaQb,c"), 1, true, Q("QaQb")},
        {Q("aQb,c"), 1, true, Q("aQb,c")},
        {Q("Q"), 1, true, ""},
        {Q("QQ"), 1, true, ""},
        {Q(" QxQ "), 1, true, "x"},
        {"a\r\n", 1, true, "a"},
        {"a\r ,b", 1, true, "a\r"},     // a line end before trailing blanks stays
        {"\ta\t,b", 1, true, "\ta\t"},  // tabs are not trimmed
        {"", 1, false, ""},
    };
    for (const auto& c : cases) {
        std::vector<char> out(c.record.size() + 1, 'X');
        EXPECT_EQ(ExtractField(c.n, c.record, out.data(), out.size(), ','), c.found)
            << c.record << " #" << c.n;
        EXPECT_EQ(std::string(out.data()), c.value) << c.record << " #" << c.n;
    }
}

TEST(ExtractField, DelimiterValueInsideATwoByteCharacterSeparates) {
    // ポ is 0x83 0x7C: the scan takes single bytes, so with | its second byte splits the field.
    const std::string record = "a\x83|b";
    char out[8];
    ASSERT_TRUE(ExtractField(1, record, out, sizeof out, '|'));
    EXPECT_STREQ(out, "a\x83");
    ASSERT_TRUE(ExtractField(2, record, out, sizeof out, '|'));
    EXPECT_STREQ(out, "b");
}

TEST(ExtractField, QuoteAsDelimiterSeparatesAtEverySecondQuote) {
    const std::string record = Q("aQbQc");
    EXPECT_EQ(CountFields(record, '"'), 2);
    char out[8];
    ASSERT_TRUE(ExtractField(1, record, out, sizeof out, '"'));
    EXPECT_STREQ(out, Q("aQb").c_str());
    ASSERT_TRUE(ExtractField(2, record, out, sizeof out, '"'));
    EXPECT_STREQ(out, "c");
}

TEST(ExtractField, WritesNoMoreThanItsStore) {
    char out[4] = {'X', 'X', 'X', 'X'};
    char guard = 'G';
    ASSERT_TRUE(ExtractField(1, "abcdefgh", out, 3, ','));
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(out[3], 'X');
    EXPECT_EQ(guard, 'G');
    EXPECT_FALSE(ExtractField(1, "abc", nullptr, 0, ','));
}

TEST(CountFields, AgreesWithExtractField) {
    const struct {
        std::string record;
        unsigned char delimiter;
        int count;
    } cases[] = {
        {"a,b,c", ',', 3},      {"a,b,", ',', 3},
        {Q("Qx,yQ,z"), ',', 2}, {Q("aQb,c"), ',', 1},
        {"", ',', 0},           {"abc", ',', 1},
        {"a;b,c", ';', 2},      {"\x82\xA0,\x82\xA2", ',', 2},
        {"a\x83|b|c", '|', 3},  {"a\tb\tc", '\t', 3},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountFields(c.record, c.delimiter), c.count) << c.record;
        std::vector<char> out(c.record.size() + 1);
        int found = 0;
        while (ExtractField(found + 1, c.record, out.data(), out.size(), c.delimiter)) {
            ++found;
        }
        EXPECT_EQ(found, c.count) << c.record;
    }
}

}  // namespace
}  // namespace orvanta
