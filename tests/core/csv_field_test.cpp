#include "core/csv_field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/core/csv_field_reference.h"

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

// Compares count and every field (and a few numbers beyond them) with the byte loop, in stores
// from one byte up, with guard bytes behind the store.
void ExpectSameAsReference(const std::string& record, unsigned char delimiter,
                           std::mt19937* random) {
    const std::int32_t count = reference::CountFields(record, delimiter);
    ASSERT_EQ(CountFields(record, delimiter), count) << "delimiter " << int{delimiter};
    std::string copy(record.size() + 8, 'X');
    ASSERT_EQ(CountFieldsCopying(record, delimiter, copy.data()), count);
    ASSERT_EQ(copy, record + "XXXXXXXX");
    std::vector<std::size_t> sizes = {1, 2, 7, record.size() + 1};
    if (record.size() > 1000) {
        sizes = {7, record.size() + 1};
    }
    if (random != nullptr) {
        sizes = {1 + (*random)() % (record.size() + 1), record.size() + 1};
    }
    // Every field of a short record; of a long one its ends and a spread in between.
    std::vector<std::int32_t> numbers;
    for (std::int32_t n = -1; n <= count + 2; n += count > 200 ? count / 50 + 1 : 1) {
        numbers.push_back(n);
    }
    numbers.insert(numbers.end(), {count - 1, count, count + 1});
    for (std::int32_t n : numbers) {
        for (std::size_t size : sizes) {
            std::vector<char> out(size + 8, 'X');
            std::string value;
            const bool found = reference::ExtractField(n, record, delimiter, size - 1, value);
            ASSERT_EQ(ExtractField(n, record, out.data(), size, delimiter), found)
                << "#" << n << " delimiter " << int{delimiter};
            ASSERT_EQ(std::string(out.data(), value.size()), value)
                << "#" << n << " delimiter " << int{delimiter} << " store " << size;
            ASSERT_EQ(out[value.size()], '\0');
            ASSERT_EQ(std::string(out.data() + size, 8), "XXXXXXXX") << "written past the store";
        }
    }
}

const unsigned char kDelimiters[] = {',', '"', '\0', '|', 0x5C, 0x7C, 0x81, 0xFF, ' ', '\r', '\t'};

TEST(CsvFieldScan, MatchesTheByteLoopOnTrickyRecords) {
    std::vector<std::string> records = {
        "",
        ",",
        ",,",
        Q("Q"),
        Q("QQ"),
        Q("QQQ"),
        Q("a,Qb,cQ,d"),
        Q("QaQQbQ,c"),
        Q(" QxQ ,y, Q Q "),
        Q("QQQQ,QQQ,"),
        "a\r\n",
        "\r\n,\n,\r",
        "\x83|\x83|",                   // a trail byte equal to the delimiter
        Q("\x95\x5C,\x95\x5CQ,Q\x81"),  // 表 whose trail byte is a backslash
        Q("\x81Qa,Q,b"),                // a lead byte before a quote
        std::string("a\0b,c\0,\0", 9),
        std::string(Q("Q\0,Q,\0"), 0, 6),
    };
    // Quotes and delimiters at the edges of the scanner's blocks.
    for (std::size_t size : {63, 64, 65, 127, 128, 129, 191}) {
        for (std::size_t at : {0, 1, 62, 63, 64, 65, 126, 127, 128}) {
            if (at + 2 <= size) {
                std::string record(size, 'a');
                record[at] = '"';
                record[at + 1] = ',';
                record[size - 1] = '"';
                records.push_back(record);
                record[at] = ',';
                record[at + 1] = '"';
                records.push_back(record);
            }
        }
    }
    std::string dense;
    while (dense.size() < 65535 - 40) {
        dense += Q("Qfield ") + std::to_string(dense.size()) + Q("Q,12345,\x95\x5C\x8E\xA6,");
    }
    records.push_back(dense);
    for (const auto& record : records) {
        for (unsigned char delimiter : kDelimiters) {
            SCOPED_TRACE(record.substr(0, 80));
            ExpectSameAsReference(record, delimiter, nullptr);
        }
    }
}

TEST(CsvFieldScan, MatchesTheByteLoopOnRandomRecords) {
    // Bytes that matter weighted up: quotes, delimiters, blanks, line ends, zeros, lead and
    // trail bytes.
    const char alphabet[] = {'"',  '"',  '"', ',',    ',',    '|',    ' ',    '\r',
                             '\n', '\0', 'a', '\x83', '\x7C', '\x5C', '\x95', '\xFF'};
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        std::mt19937 random(seed);
        for (int round = 0; round < 300; ++round) {
            const std::size_t size = round % 50 == 0 ? random() % 70000 : random() % 300;
            std::string record(size, 'a');
            for (char& byte : record) {
                byte = alphabet[random() % sizeof alphabet];
            }
            const unsigned char delimiter = round % 4 == 0
                                                ? static_cast<unsigned char>(random())
                                                : kDelimiters[random() % sizeof kDelimiters];
            SCOPED_TRACE("seed " + std::to_string(seed) + " round " + std::to_string(round));
            if (size > 1000) {
                // Long records: the count and a few fields spread over the record.
                ASSERT_EQ(CountFields(record, delimiter),
                          reference::CountFields(record, delimiter));
                const std::int32_t count = reference::CountFields(record, delimiter);
                std::vector<char> out(size + 1);
                for (int probe = 0; probe < 20; ++probe) {
                    const std::int32_t n = 1 + static_cast<std::int32_t>(random() % (count + 1));
                    std::string value;
                    ASSERT_EQ(ExtractField(n, record, out.data(), out.size(), delimiter),
                              reference::ExtractField(n, record, delimiter, size, value));
                    ASSERT_EQ(std::string(out.data(), value.size()), value) << "#" << n;
                }
                continue;
            }
            ExpectSameAsReference(record, delimiter, &random);
        }
    }
}

}  // namespace
}  // namespace orvanta
