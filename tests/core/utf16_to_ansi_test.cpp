#include "core/utf16_to_ansi.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

using namespace std::string_literals;

TEST(Utf16ToAnsi, ConvertsUnitByUnit) {
    const struct {
        std::u16string units;
        std::string expected;
    } cases[] = {
        {u"\uFEFF", ""},
        {u"", ""},
        {u"\uFEFFa,b", "a,b"},
        {u"a,b", "a,b"},
        {u"\uFF76", "\xB6"},      // half-width katakana: one byte
        {u"\u8868", "\x95\x5C"},  // kanji: two bytes
        {u"\u3042,\u3044", "\x82\xA0,\x82\xA2"},
        {u"x\u4E02y", "x y"},   // no code page 932 form: one blank
        {u"\U0001F600", "  "},  // a surrogate pair: two blanks
        {u"ab\0cd"s, "ab"},     // stops at the first zero unit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf16ToAnsi(c.units), c.expected);
    }
}

TEST(Utf16ToAnsi, NeverExceedsItsStore) {
    const std::u16string exact(32767, u'\u8868');
    EXPECT_EQ(Utf16ToAnsi(exact).size(), 65534u);

    const std::u16string beyond(40000, u'\u8868');
    const std::string cut = Utf16ToAnsi(beyond);
    EXPECT_EQ(cut.size(), 65534u);
    EXPECT_EQ(cut.substr(cut.size() - 2), "\x95\x5C");
}

}  // namespace
}  // namespace orvanta
