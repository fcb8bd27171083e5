#include "core/separator_scan.h"

#include <gtest/gtest.h>

#include <random>

namespace orvanta {
namespace {

TEST(ClassifyBlock, AgreesWithTheByteLoopForEveryDelimiter) {
    std::mt19937 random(7);
    char block[kScanBlock];
    for (int round = 0; round < 200; ++round) {
        for (char& byte : block) {
            // Half the blocks dense with quotes, the rest any byte.
            byte = round % 2 == 0 && random() % 3 == 0 ? '"' : static_cast<char>(random());
        }
        for (int delimiter = 0; delimiter < 256; ++delimiter) {
            const auto d = static_cast<unsigned char>(delimiter);
            const BlockMasks fast = ClassifyBlock(block, d);
            const BlockMasks plain = ClassifyBlockPortable(block, d);
            ASSERT_EQ(fast.quotes, plain.quotes) << round;
            ASSERT_EQ(fast.delimiters, plain.delimiters) << round << " delimiter " << delimiter;
        }
    }
    // Each bit in its place.
    for (std::size_t i = 0; i < kScanBlock; ++i) {
        char one[kScanBlock] = {};
        one[i] = '"';
        EXPECT_EQ(ClassifyBlock(one, 0).quotes, std::uint64_t{1} << i);
        EXPECT_EQ(ClassifyBlock(one, 0).delimiters, ~(std::uint64_t{1} << i));
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
