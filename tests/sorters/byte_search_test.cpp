// The sorters' own byte search, comparison and copy (those of the Windows build) against the
// C library's, at every length and offset around their sixteen- and eight-byte steps.

#include "sorters/byte_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace orvanta::sorters {
namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(ByteSearch, FindsWhatMemchrFinds) {
    std::mt19937 random(3);
    std::string text(80, '\0');
    for (int round = 0; round < 2000; ++round) {
        // Few byte values, high ones among them, so that hits and misses both come often.
        for (char& c : text) {
            c = static_cast<char>("\x00\x0A\x22\x2C\x80\xFF"[random() % 6]);
        }
        const char wanted = text[random() % text.size()];
        const std::size_t begin = random() % 20;
        const std::size_t end = begin + random() % (text.size() - begin + 1);
        const void* expected = std::memchr(text.data() + begin, wanted, end - begin);
        const char* found = FindByteInBlocks(text.data() + begin, text.data() + end, wanted);
        EXPECT_EQ(found, expected == nullptr ? text.data() + end : expected)
            << "bytes [" << begin << ", " << end << ")";
    }
}

TEST(ByteSearch, ComparesAsMemcmpDoes) {
    std::mt19937 random(4);
    for (int round = 0; round < 5000; ++round) {
        const std::size_t size = random() % 40;
        std::string a(size, '\0');
        for (char& c : a) {
            c = static_cast<char>(random() % 256);
        }
        std::string b = a;
        // Mostly equal texts that differ in one byte, at any place, by any amount.
        if (size > 0 && random() % 4 != 0) {
            b[random() % size] = static_cast<char>(random() % 256);
        }
        EXPECT_EQ(CompareBytesInWords(a.data(), b.data(), size),
                  Sign(std::memcmp(a.data(), b.data(), size)))
            << "size " << size;
    }
}

// Every length up to past the limit, from and to every offset in a block: the bytes copied
// are the source's, and not one byte around them changes.
TEST(ByteSearch, CopiesWhatMemcpyCopiesAndNothingMore) {
    std::string source(kOwnCopyLimit + 64, '\0');
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<char>(i * 7 + 1);
    }
    for (std::size_t size = 0; size <= kOwnCopyLimit + 20; ++size) {
        for (std::size_t offset = 0; offset < 16; ++offset) {
            std::string target(size + 48, '#');
            CopyBytesInBlocks(target.data() + 16 + offset % 8, source.data() + offset, size);
            const std::string expected = std::string(16 + offset % 8, '#') +
                                         source.substr(offset, size) +
                                         std::string(32 - offset % 8, '#');
            ASSERT_EQ(target, expected) << size << " bytes from offset " << offset;
            std::string viaCopy(size + 48, '#');
            CopyBytes(viaCopy.data() + 16 + offset % 8, source.data() + offset, size);
            ASSERT_EQ(viaCopy, expected) << size << " bytes from offset " << offset;
        }
    }
}

}  // namespace
}  // namespace orvanta::sorters
