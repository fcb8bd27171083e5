#include "core/key_definition.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

SortPageSettings Pending(SortPageKind kind, std::string position, std::string length,
                         KeyAttribute attribute, KeyOrder order, std::string value = "v") {
    SortPageSettings settings;
    settings.kind = kind;
    settings.keyPosition = position;
    settings.keyLength = length;
    settings.attribute = attribute;
    settings.order = order;
    settings.valuePreview = value;
    return settings;
}

constexpr auto kCsv = SortPageKind::Csv;
constexpr auto kText = SortPageKind::Text;
constexpr auto kString = KeyAttribute::String;
constexpr auto kNumber = KeyAttribute::Number;
constexpr auto kComma = KeyAttribute::CommaNumber;
constexpr auto kUp = KeyOrder::Ascending;
constexpr auto kDown = KeyOrder::Descending;

TEST(ComposeKeyDefinition, EveryCombination) {
    const struct {
        SortPageKind kind;
        KeyAttribute attribute;
        KeyOrder order;
        std::string expected;
    } cases[] = {
        {kCsv, kString, kUp, "key(3,10)"},           {kCsv, kString, kDown, "key(3,10)attr(d)"},
        {kCsv, kNumber, kUp, "key(3)attr(a;i)"},     {kCsv, kNumber, kDown, "key(3)attr(d;i)"},
        {kCsv, kComma, kUp, "key(3)attr(a;z)"},      {kCsv, kComma, kDown, "key(3)attr(d;z)"},
        {kText, kString, kUp, "key(3,10)"},          {kText, kString, kDown, "key(3,10)attr(d)"},
        {kText, kNumber, kUp, "key(3,10)attr(a;i)"}, {kText, kNumber, kDown, "key(3,10)attr(d;i)"},
        {kText, kComma, kUp, "key(3,10)attr(a;z)"},  {kText, kComma, kDown, "key(3,10)attr(d;z)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeKeyDefinition(Pending(c.kind, "3", "10", c.attribute, c.order)).view(),
                  c.expected);
        EXPECT_EQ(ComposeKeyDefinition(Pending(c.kind, "3", "10", c.attribute, c.order, "")).view(),
                  "");
    }
}

TEST(ComposeKeyDefinition, LengthsAndPositionsAsTyped) {
    const struct {
        SortPageSettings settings;
        std::string expected;
    } cases[] = {
        {Pending(kCsv, "3", "", kString, kUp), "key(3,32)"},
        {Pending(kCsv, "3", "0", kString, kUp), "key(3,32)"},
        {Pending(kCsv, "3", "00", kString, kDown), "key(3,32)attr(d)"},
        {Pending(kCsv, "3", "05", kString, kUp), "key(3,05)"},
        {Pending(kCsv, "03", "10", kString, kUp), "key(03,10)"},
        {Pending(kCsv, "2", "", kNumber, kDown), "key(2)attr(d;i)"},
        {Pending(kCsv, "2", "44", kComma, kUp), "key(2)attr(a;z)"},
        {Pending(kText, "5", "8", kComma, kUp), "key(5,8)attr(a;z)"},
        {Pending(kText, "1", "12", kString, kUp), "key(1,12)"},
        // The text page makes no substitution for a zero length.
        {Pending(kText, "1", "0", kString, kUp), "key(1,0)"},
        // Typed with 8 digits, 7 take part.
        {Pending(kCsv, "12345678", "87654321", kString, kUp), "key(1234567,8765432)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeKeyDefinition(c.settings).view(), c.expected);
    }
}

TEST(ComposeKeyDefinition, LongestDefinitionIs29Bytes) {
    const auto definition =
        ComposeKeyDefinition(Pending(kText, "9999999", "9999999", kComma, kDown));
    EXPECT_EQ(definition.view(), "key(9999999,9999999)attr(d;z)");
    EXPECT_EQ(definition.size(), 29u);
}

}  // namespace
}  // namespace orvanta
