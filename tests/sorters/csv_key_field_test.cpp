// The quote-free fast path for CSV key fields against the wizard's own field extraction, on
// tricky records and on random ones.

#include "sorters/csv_key_field.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orvanta::sorters {
namespace {

void ExpectSameAsExtraction(const std::string& record, unsigned char delimiter) {
    CsvKeyField fast;
    std::string store;
    for (std::int32_t n = 1; n <= 6; ++n) {
        const std::string expected(ExtractedKeyField(record, n, delimiter, store));
        EXPECT_EQ(std::string(fast.Value(record, n, delimiter)), expected)
            << "field " << n << " of '" << record << "', delimiter " << int{delimiter};
    }
}

TEST(CsvKeyField, GivesWhatTheExtractionGivesOnTrickyRecords) {
    const std::vector<std::string> records = {
        "",
        ",",
        ",,",
        "a",
        "a,b,c",
        "  a  , b ,c  ",
        "a \r,b\r\r, c \r",
        "a\r ,b",
        "a,b\n",
        std::string("a\0b,c", 5),
        std::string("\0,x", 3),
        std::string("x, \0y ,z", 8),
        "\x83\x2C,x",  // the second byte of a two-byte character is a delimiter all the same
        "\x95\x5C,\x82\xA0",
        "\"a,b\",c",
        "x,\"\"\"q\"\"\",y",
        "x,  \"ab\"\"cd\" ,y",
        "x,\"",
        "x,a\"b,c",
        "\"",
    };
    for (const std::string& record : records) {
        for (const char delimiter : {',', '\t', '"', '\\', ';'}) {
            ExpectSameAsExtraction(record, delimiter);
        }
    }
}

TEST(CsvKeyField, GivesWhatTheExtractionGivesOnRandomRecords) {
    std::mt19937 random(20261211);
    const std::string bytes("ab ,\t\r\n\"\0\x01\x83\x5C\xFF", 14);
    for (int i = 0; i < 20000; ++i) {
        std::string record;
        const std::size_t length = random() % 16;
        // Half the records without quotes, which the fast path takes.
        const bool quotes = random() % 2 == 0;
        while (record.size() < length) {
            const char byte = bytes[random() % bytes.size()];
            if (byte != '"' || quotes) {
                record.push_back(byte);
            }
        }
        ExpectSameAsExtraction(record, random() % 2 == 0 ? ',' : '\t');
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace orvanta::sorters
