#include "core/sjis.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace orvanta {
namespace {

TEST(IsLeadByte, CoversExactlyTheTwoLeadRanges) {
    for (int b = 0; b < 256; ++b) {
        const bool expected = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), expected) << "byte " << b;
    }
}

struct FindLastByteCase {
    std::string text;
    unsigned char byte;
    std::optional<std::size_t> expected;
};

class FindLastByteTest : public testing::TestWithParam<FindLastByteCase> {};

TEST_P(FindLastByteTest, FindsTheLastCharacterStart) {
    const auto& c = GetParam();
    EXPECT_EQ(FindLastByte(c.text, c.byte), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindLastByteTest,
    testing::Values(
        FindLastByteCase{"", '\\', std::nullopt}, FindLastByteCase{"\\", '\\', 0},
        FindLastByteCase{"\\abc", '\\', 0}, FindLastByteCase{"a\\b\\c", '\\', 3},
        FindLastByteCase{"abc", '\\', std::nullopt},
        // 0x95 0x5C is one character: its 0x5C is no backslash.
        FindLastByteCase{"\x95\x5C\x41", '\\', std::nullopt},
        FindLastByteCase{"C:\\d\\\x95\x5C.csv", '\\', 4},
        // The second 0x81 is the trail byte of the first, so the 0x5C starts a character.
        FindLastByteCase{"\x81\x81\x5C", '\\', 2}, FindLastByteCase{"\x80\x5C", '\\', 1},
        FindLastByteCase{"\xA0\x5C", '\\', 1}, FindLastByteCase{"\xFD\x5C", '\\', 1},
        // A trail byte equal to the dot is passed over for the real dot before it.
        FindLastByteCase{"a.b\x82\x2E", '.', 1},
        // Three lead-valued bytes: 0x81 0x81 pair, then 0x81 0x5C pair.
        FindLastByteCase{"\x81\x81\x81\x5C", '\\', std::nullopt}));

TEST(CharacterBoundaryPrefix, NeverEndsInsideATwoByteCharacter) {
    const std::string text =
        "ab\x95\x5C"
        "c";
    EXPECT_EQ(CharacterBoundaryPrefix(text, 10), 5u);
    EXPECT_EQ(CharacterBoundaryPrefix(text, 4), 4u);
    EXPECT_EQ(CharacterBoundaryPrefix(text, 3), 2u);
    EXPECT_EQ(CharacterBoundaryPrefix(text, 0), 0u);
}

}  // namespace
}  // namespace orvanta
