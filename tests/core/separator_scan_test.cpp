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

TEST(ScanSeparators, LongRecordsMatchTheByteLoopAcrossChunks) {
    // Records over several 2 KiB chunks of masks, and limits spread over their separators.
    std::mt19937 random(23);
    for (int round = 0; round < 40; ++round) {
        const std::size_t size = 1900 + random() % 6400;
        std::string record(size, 'a');
        const unsigned quoteShare = 1 + random() % 40;
        for (char& byte : record) {
            const unsigned pick = random() % 100;
            byte = pick < quoteShare ? '"' : pick < 50 ? ',' : static_cast<char>(random());
        }
        const std::vector<std::size_t> expected = reference::Separators(record, ',');
        for (ScanPath path : kPaths) {
            if (!ScanPathAvailable(path)) {
                continue;
            }
            ASSERT_EQ(ScanSeparatorsOn(path, record, ',', SIZE_MAX).count, expected.size());
            std::string copy(record.size() + 8, 'X');
            ASSERT_EQ(CountSeparatorsCopyingOn(path, record, ',', copy.data()), expected.size());
            ASSERT_EQ(copy, record + "XXXXXXXX");
            for (std::size_t limit = 1; limit <= expected.size(); limit += 1 + random() % 37) {
                const SeparatorScan scan = ScanSeparatorsOn(path, record, ',', limit);
                ASSERT_EQ(scan.count, limit) << "path " << int(path) << " round " << round;
                ASSERT_EQ(scan.position, expected[limit - 1])
                    << "path " << int(path) << " round " << round << " limit " << limit;
            }
        }
    }
}

// The first record as plain string searches find it.
FirstRecordScan ReferenceFirstRecord(std::string_view bytes, unsigned char delimiter) {
    const std::size_t lineFeed = bytes.substr(0, bytes.find('\0')).find('\n');
    if (lineFeed == std::string_view::npos) {
        return {};
    }
    std::string_view record = bytes.substr(0, lineFeed);
    if (!record.empty() && record.back() == '\r') {
        record.remove_suffix(1);
    }
    return {true, record.size(), reference::Separators(record, delimiter).size()};
}

// Every path finds that record, copies it when there is one and writes nothing else.
void ExpectEveryPathFindsTheFirstRecord(const std::string& bytes, unsigned char delimiter) {
    const FirstRecordScan expected = ReferenceFirstRecord(bytes, delimiter);
    for (ScanPath path : kPaths) {
        if (!ScanPathAvailable(path)) {
            continue;
        }
        std::string copy(bytes.size() + 8, 'X');
        const FirstRecordScan scan = CopyFirstRecordOn(path, bytes, delimiter, copy.data());
        const std::string where = "path " + std::to_string(int(path)) + " delimiter " +
                                  std::to_string(int{delimiter}) + " size " +
                                  std::to_string(bytes.size());
        ASSERT_EQ(scan.found, expected.found) << where;
        ASSERT_EQ(scan.size, expected.size) << where;
        ASSERT_EQ(scan.separators, expected.separators) << where;
        const std::size_t copied = expected.found ? expected.size : 0;
        ASSERT_EQ(copy, bytes.substr(0, copied) + std::string(bytes.size() + 8 - copied, 'X'))
            << where;
    }
}

TEST(CopyFirstRecord, TrickyStartsMatchThePlainSearch) {
    using namespace std::string_literals;
    const std::string block(64, 'a');
    const std::string chunk(2048, 'b');
    const std::string cases[] = {
        "",
        "\n",
        "\r\n",
        "\r",
        "a,b,c",
        "a,b,c\r\nd\n",
        "a,\"b\r,\"\r\n",  // a carriage return inside quotes
        "a\r,\"\"\r\n",    // an even number of quotes before the carriage return
        "\"a\r\n",         // the line end inside an open quote still ends the record
        "a\0b\n"s,         // a zero before the line feed: no record
        "a\nb\0"s,
        "\0\n"s,
        "\x83\x7C|\x83\x22,\n",    // trail bytes equal to the delimiter and to the quote
        "\x81\n",                  // a lead byte right before the line feed
        block + "\n",              // line feed first in a block
        block.substr(1) + "\r\n",  // carriage return last in a block, line feed first
        block.substr(1) + "\n",    // line feed last in a block
        block.substr(2) + ",\r\n",
        chunk + "\n",              // line feed first in the second chunk
        chunk.substr(1) + "\r\n",  // carriage return last in the first chunk
        chunk.substr(1) + "\0\n"s,
        chunk + chunk.substr(3) + "\",\r\n",
        "x"s + std::string(5000, '\0'),
        std::string(65534, ',') + "\n",
        std::string(65533, '"') + "\r\n",
        std::string(65535, ','),
    };
    for (const std::string& bytes : cases) {
        for (int delimiter : {int{','}, int{'"'}, int{'\r'}, int{'\n'}, 0, 0x7C, 0x22, 0xFF}) {
            ExpectEveryPathFindsTheFirstRecord(bytes, static_cast<unsigned char>(delimiter));
        }
    }
}

TEST(CopyFirstRecord, RandomStartsMatchThePlainSearch) {
    std::mt19937 random(29);
    for (int round = 0; round < 400; ++round) {
        // Short and chunk-long starts with a line feed, a carriage return before it in half of
        // them, a zero somewhere in a third and more line ends behind.
        const std::size_t size = 1 + (round % 4 == 0 ? random() % 6300 : random() % 300);
        std::string bytes(size, 'a');
        for (char& byte : bytes) {
            const unsigned pick = random() % 100;
            byte = pick < 20   ? '"'
                   : pick < 40 ? ','
                   : pick < 41 ? '\r'
                               : static_cast<char>(random() | 1);
        }
        const std::size_t lineFeed = random() % size;
        bytes[lineFeed] = '\n';
        if (lineFeed > 0 && round % 2 == 0) {
            bytes[lineFeed - 1] = '\r';
        }
        if (round % 3 == 0) {
            bytes[random() % size] = '\0';
        }
        for (std::size_t later = lineFeed + 1; later < size; later += 1 + random() % 50) {
            bytes[later] = random() % 2 == 0 ? '\n' : '\0';
        }
        SCOPED_TRACE("round " + std::to_string(round));
        for (int delimiter : {int{','}, int{'"'}, int{'\r'}, 0, static_cast<int>(random() % 256)}) {
            ExpectEveryPathFindsTheFirstRecord(bytes, static_cast<unsigned char>(delimiter));
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
