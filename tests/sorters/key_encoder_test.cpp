#include "sorters/key_encoder.h"

#include <gtest/gtest.h>

#include <random>

#include "sorters/sort_item.h"

namespace orvanta::sorters {
namespace {

std::string NumberKey(std::string_view text, bool commas) {
    std::string key;
    AppendNumberKey(text, commas, key);
    return key;
}

// Each row lists texts in ascending order; texts within one inner list are equal.
void ExpectNumberOrder(const std::vector<std::vector<std::string>>& groups, bool commas) {
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const std::string& text : groups[g]) {
            EXPECT_EQ(NumberKey(text, commas), NumberKey(groups[g].front(), commas))
                << "'" << text << "' equals '" << groups[g].front() << "'";
            if (g + 1 < groups.size()) {
                EXPECT_LT(CompareKeys(NumberKey(text, commas), NumberKey(groups[g + 1][0], commas)),
                          0)
                    << "'" << text << "' before '" << groups[g + 1][0] << "'";
            }
        }
    }
}

TEST(NumberKey, OrdersSignsFractionsAndLongNumbersExactly) {
    ExpectNumberOrder(
        {
            {"", "abc", "-", "+", " x1", ".5", "-.5"},  // no number: first of all
            {"-1234567890123456789012345678901234567891"},
            {"-1234567890123456789012345678901234567890"},
            {"-100"},
            {"-99.5"},
            {"-99.25"},
            {"-99", "-99.0", "-099"},
            {"-1"},
            {"-0.001"},
            {"0", "-0", "+0", "0.000", "-0.0", "000"},
            {"0.001"},
            {"1", "+1", "  1", "\t1", "1.", "1.0", "01", "1abc", "1 2"},
            {"1.05"},
            {"1.5", "1.50"},
            {"1.55"},
            {"2"},
            {"10"},
            {"99999999999999999999"},
            {"100000000000000000000"},
            {"1234567890123456789012345678901234567890"},
            {"1234567890123456789012345678901234567891"},
        },
        false);
}

// Plain integers go straight from the text: the same bytes as reading digit by digit, for
// every number and non-number, with and without commas.
TEST(NumberKey, PlainIntegersEncodeAsDigitByDigit) {
    std::vector<std::string> texts = {"",
                                      "0",
                                      "-0",
                                      "+0",
                                      "007",
                                      "-007",
                                      "123",
                                      "-123",
                                      "+5",
                                      " \t42",
                                      "42 ",
                                      "42x",
                                      "1.",
                                      "1.5",
                                      "-1.50",
                                      "1,000",
                                      "1,",
                                      ",1",
                                      "-",
                                      "+",
                                      "+-1",
                                      "--1",
                                      "- 1",
                                      "00.0",
                                      std::string(40, '9'),
                                      "-" + std::string(40, '0') + "1"};
    std::mt19937 random(8);
    for (int i = 0; i < 20000; ++i) {
        std::string text(random() % 14, ' ');
        for (char& c : text) {
            c = "0123456789-+., \tx"[random() % 17];
        }
        texts.push_back(text);
    }
    for (const bool commas : {false, true}) {
        for (const std::string& text : texts) {
            std::string plain = "prefix";
            std::string expected = "prefix";
            AppendNumberKey(text, commas, plain);
            AppendNumberKeyDigitByDigit(text, commas, expected);
            ASSERT_EQ(plain, expected) << "'" << text << "' commas " << commas;
        }
    }
}

TEST(NumberKey, SkipsCommasBetweenDigitsOnlyWhenAsked) {
    ExpectNumberOrder(
        {{",5"}, {"-1,000"}, {"12", "1,2"}, {"999"}, {"1,000", "1000", "1,000.0"}, {"1,000,001"}},
        true);
    // Without commas the number stops at the first comma.
    EXPECT_EQ(NumberKey("1,000", false), NumberKey("1", false));
    // A comma not followed by a digit ends the number.
    EXPECT_EQ(NumberKey("12,", true), NumberKey("12", true));
    EXPECT_EQ(NumberKey("12,,3", true), NumberKey("12", true));
}

std::string StringKey(std::string_view text, bool fold) {
    std::string key;
    AppendStringKey(text, fold, false, key);
    return key;
}

TEST(StringKey, ComparesAsUnsignedBytesWithAPrefixFirst) {
    const std::vector<std::string> ascending = {std::string(),
                                                std::string(1, '\0'),
                                                std::string("\0\xFF", 2),
                                                std::string(1, '\x01'),
                                                "A",
                                                "AB",
                                                "B",
                                                "a",
                                                "\x7F",
                                                "\x80",
                                                "\xFF"};
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(CompareKeys(StringKey(ascending[i], false), StringKey(ascending[i + 1], false)),
                  0)
            << i;
    }
}

// The key as escaped byte by byte: 0x00 and 0x01 behind 0x01 and raised by one, then 0x00.
std::string EscapedByteByByte(std::string_view text) {
    std::string key;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= 0x01) {
            key.push_back('\x01');
            key.push_back(static_cast<char>(c + 1));
        } else {
            key.push_back(c);
        }
    }
    key.push_back('\0');
    return key;
}

TEST(StringKey, EscapesOnlyWhereNeededAsTheByteByByteEncoding) {
    const std::vector<std::string> texts = {
        "",     "abc",          std::string(1, '\0'),       std::string("a\0", 2),
        "\x01", "\x01\x01\x02", std::string("x\0\x01y", 4), "\xFF\x83\x5C"};
    for (const std::string& text : texts) {
        EXPECT_EQ(StringKey(text, false), EscapedByteByByte(text));
    }
    std::mt19937 random(7);
    for (int i = 0; i < 5000; ++i) {
        std::string text(random() % 12, ' ');
        for (char& c : text) {
            c = static_cast<char>(random() % 4 == 0 ? random() % 3 : random() % 256);
        }
        ASSERT_EQ(StringKey(text, false), EscapedByteByByte(text));
    }
}

TEST(StringKey, FoldsOnlyOneByteLetters) {
    EXPECT_EQ(StringKey("abc_z", true), StringKey("ABC_Z", true));
    // 0x83 0x61 and 0x83 0x41 are different two-byte characters: the 0x61 is a second byte.
    EXPECT_NE(StringKey("\x83\x61", true), StringKey("\x83\x41", true));
    // A half-width katakana (0xB1) is one byte, so the letter after it folds.
    EXPECT_EQ(StringKey("\xB1z", true), StringKey("\xB1Z", true));
    std::string fromTrail;
    AppendStringKey("ab", true, true, fromTrail);
    EXPECT_EQ(fromTrail, StringKey("aB", false));
}

SortJob Job(SorterKind kind, std::vector<KeyTerm> keys, bool ignoreCase = false) {
    SortJob job;
    job.kind = kind;
    job.keys = std::move(keys);
    job.ignoreCase = ignoreCase;
    return job;
}

std::string Encode(const SortJob& job, std::string_view record) {
    KeyEncoder encoder(job);
    std::string key;
    encoder.Encode(record, key);
    return key;
}

TEST(KeyEncoder, TakesCsvFieldsAsTheWizardExtractsThemThenTheirFirstBytes) {
    const SortJob job = Job(SorterKind::Csv, {{2, 3, false, KeyType::String}});
    EXPECT_EQ(Encode(job, "x,  \"ab\"\"cd\" ,y"), StringKey("ab\"", false));
    EXPECT_EQ(Encode(job, "x,\"a,b\",y"), StringKey("a,b", false));
    EXPECT_EQ(Encode(job, "x"), StringKey("", false));  // a missing field is empty

    const SortJob number = Job(SorterKind::Csv, {{2, 0, true, KeyType::Number}});
    EXPECT_LT(CompareKeys(Encode(number, "a,\" 12345\""), Encode(number, "a,9")), 0);
}

TEST(KeyEncoder, TakesTextColumnsThatExistAndFoldsFromTheRecordStart) {
    const SortJob job = Job(SorterKind::Text, {{3, 4, false, KeyType::String}}, true);
    EXPECT_EQ(Encode(job, "abcdefgh"), StringKey("CDEF", false));
    EXPECT_EQ(Encode(job, "abcd"), StringKey("CD", false));
    EXPECT_EQ(Encode(job, "ab"), StringKey("", false));
    // Column 3 is the second byte of 0x82 0x61: it stays as it is.
    EXPECT_EQ(Encode(job,
                     "a\x82"
                     "ab"),
              StringKey("aB", false));
}

TEST(KeyEncoder, DescendingReversesOnlyItsOwnKey) {
    const SortJob job =
        Job(SorterKind::Text, {{1, 1, false, KeyType::String}, {2, 1, true, KeyType::String}});
    // Shorter first ascending; the descending second key puts "a" (empty there) after "ay".
    const std::vector<std::string> ascending = {"az", "ay", "a", "bz", "b"};
    for (std::size_t i = 0; i + 1 < ascending.size(); ++i) {
        EXPECT_LT(CompareKeys(Encode(job, ascending[i]), Encode(job, ascending[i + 1])), 0) << i;
    }
}

TEST(KeyEncoder, UsesTheRecordItselfOnlyWithoutKeysFoldingOrUtf16) {
    EXPECT_TRUE(KeyEncoder(Job(SorterKind::Text, {})).KeyIsRecord());
    EXPECT_FALSE(KeyEncoder(Job(SorterKind::Text, {}, true)).KeyIsRecord());
    EXPECT_FALSE(KeyEncoder(Job(SorterKind::Text, {{1, 1, false, KeyType::String}})).KeyIsRecord());
    SortJob utf16 = Job(SorterKind::Text, {});
    utf16.utf16 = true;
    EXPECT_FALSE(KeyEncoder(utf16).KeyIsRecord());
}

}  // namespace
}  // namespace orvanta::sorters
