#include "core/decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

TEST(ParseDecimal, ReadsLikeTheRuntimeWithoutOverflow) {
    const struct {
        std::string text;
        std::int32_t expected;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"0", 0},
        {"00", 0},
        {"007", 7},
        {"0512", 512},
        {"12ab", 12},
        {"  \t42", 42},
        {"-5", -5},
        {"+5", 5},
        {"- 5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.expected) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace orvanta
