#include "core/separator_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/core/csv_field_reference.h"

namespace orvanta {
namespace {

const ScanPath kPaths[] = {ScanPath::Portable, ScanPath::Sse2, ScanPath::Avx2, ScanPath::Avx512};

// Every limit from 1 to one past the last separator finds what the byte loop finds, and a count
// that copies copies the record and nothing beyond it.
void ExpectEveryPathFinds(const std::string& record, unsigned char delimiter) {
    const std::vector<std::size_t> expected = reference::Separators(record, delimiter);
    for (ScanPath path : kPaths) {
        if (!ScanPathAvailable(path)) {
            continue;
        }
        for (std::size_t limit = 1; limit <= expected.size() + 1; ++limit) {
            const SeparatorScan scan = ScanSeparatorsOn(path, record, delimiter, limit);
            const bool exists = limit <= expected.size();
            ASSERT_EQ(scan.count, exists ? limit : expected.size())
                << "path " << int(path) << " limit " << limit << " delimiter " << int{delimiter};
            ASSERT_EQ(scan.position, exists ? expected[limit - 1] : record.size())
                << "path " << int(path) << " limit " << limit << " delimiter " << int{delimiter};
        }
        ASSERT_EQ(ScanSeparatorsOn(path, record, delimiter, SIZE_MAX).count, expected.size());
        std::string copy(record.size() + 8, 'X');
        ASSERT_EQ(CountSeparatorsCopyingOn(path, record, delimiter, copy.data()), expected.size())
            << "path " << int(path);
        ASSERT_EQ(copy, record + "XXXXXXXX") << "path " << int(path);
    }
}

TEST(ScanSeparators, EveryPathMatchesTheByteLoop) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        // Lengths around the block size and its multiples, bytes dense with quotes in half the
        // records and any byte in the rest.
        const std::size_t size = random() % 260;
        std::string record(size, 'a');
        for (char& byte : record) {
            const unsigned pick = random() % 4;
            byte = round % 2 == 0 && pick == 0   ? '"'
                   : round % 2 == 0 && pick == 1 ? ','
                                                 : static_cast<char>(random());
        }
        for (int delimiter :
             {int{','}, int{'"'}, 0, 0x7C, 0x81, 0xFF, static_cast<int>(random() % 256)}) {
            SCOPED_TRACE("round " + std::to_string(round));
            ExpectEveryPathFinds(record, static_cast<unsigned char>(delimiter));
        }
    }
}

TEST(ScanSeparators, StopsAtTheSeparatorAsked) {
    const std::string record = "a,\"b,c\",d,,e";
    const struct {
        std::size_t limit;
        std::size_t count;
        std::size_t position;
    } cases[] = {{1, 1, 1}, {2, 2, 7}, {3, 3, 9}, {4, 4, 10}, {5, 4, 12}, {SIZE_MAX, 4, 12}};
    for (const auto& c : cases) {
        const SeparatorScan scan = ScanSeparators(record, ',', c.limit);
        EXPECT_EQ(scan.count, c.count) << c.limit;
        EXPECT_EQ(scan.position, c.position) << c.limit;
    }
}

}  // namespace
}  // namespace orvanta
