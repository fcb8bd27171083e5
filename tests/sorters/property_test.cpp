// Random inputs and random string keys: the output is the input's records, reordered stably by
// a plain model of the comparison (unsigned bytes, a prefix first, each key's own direction).

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/csv_field.h"
#include "tests/sorters/sorter_fixture.h"

namespace orvanta::sorters {
namespace {

struct ModelKey {
    int position;
    int length;
    bool descending;
};

std::string KeyOf(SorterKind kind, const std::string& record, const ModelKey& key) {
    if (kind == SorterKind::Text) {
        const std::size_t start = static_cast<std::size_t>(key.position - 1);
        return start < record.size() ? record.substr(start, key.length) : std::string();
    }
    std::vector<char> field(record.size() + 1);
    ExtractField(key.position, record, field.data(), field.size(), ',');
    return std::string(field.data()).substr(0, key.length);
}

// Bytes a record may hold: letters, digits, blanks, quotes-free CSV pieces and Shift-JIS pairs
// whose second byte equals a letter or the delimiter.
std::string RandomRecord(std::mt19937& random, SorterKind kind) {
    static const std::string pieces[] = {"a",    "B",        "z",        "0",        "9",
                                         " ",    "\x82\xA0", "\x83\x41", "\x83\x7C", "\x95\x5C",
                                         "\xB1", "~",        "\x81\x2C"};
    std::string record;
    const int count = static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
        record += pieces[random() % std::size(pieces)];
        if (kind == SorterKind::Csv && random() % 4 == 0) {
            record += ',';
        }
    }
    return record;
}

class SortProperty : public SorterTest {};

TEST_F(SortProperty, OutputIsAStableSortOfTheInputRecords) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 150; ++round) {
        const SorterKind kind = round % 2 == 0 ? SorterKind::Csv : SorterKind::Text;
        std::vector<std::string> records(1 + random() % 40);
        std::vector<std::string> lineEnds;
        std::string input;
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = RandomRecord(random, kind);
            const bool last = i + 1 == records.size();
            lineEnds.push_back(!last || random() % 2 == 0 ? (random() % 2 == 0 ? "\r\n" : "\n")
                                                          : "");
            input += records[i] + lineEnds[i];
        }
        // An empty last line without a line end is no record.
        if (records.size() > 1 && records.back().empty() && lineEnds.back().empty()) {
            records.pop_back();
        }
        const std::string lineEnd = lineEnds[0];

        std::vector<ModelKey> keys(random() % 3);
        std::vector<std::string> tail;
        for (ModelKey& key : keys) {
            key = {static_cast<int>(1 + random() % 6), static_cast<int>(1 + random() % 5),
                   random() % 2 == 0};
            tail.push_back("key(" + std::to_string(key.position) + "," +
                           std::to_string(key.length) + ")" + (key.descending ? "attr(d)" : ""));
        }

        std::vector<std::string> expected = records;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const std::string& a, const std::string& b) {
                             if (keys.empty()) {
                                 return a < b;
                             }
                             for (const ModelKey& key : keys) {
                                 const std::string ka = KeyOf(kind, a, key);
                                 const std::string kb = KeyOf(kind, b, key);
                                 if (ka != kb) {
                                     return key.descending ? kb < ka : ka < kb;
                                 }
                             }
                             return false;
                         });
        std::string expectedOutput;
        for (const std::string& record : expected) {
            expectedOutput += record + lineEnd;
        }
        ASSERT_EQ(Sort(kind, input, tail), expectedOutput)
            << "round " << round << (kind == SorterKind::Csv ? " csv" : " text");
    }
}

}  // namespace
}  // namespace orvanta::sorters
