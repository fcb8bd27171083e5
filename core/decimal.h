#pragma once
// Decimal conversion of the texts typed into the number fields.

#include <cstdint>
#include <string_view>

namespace orvanta {

// Reads a number the way the C runtime's atol does (leading white space, an optional sign,
// digits up to the first other character; 0 without digits). Values beyond the 32-bit range
// are held at its ends, so both builds give the same number for any text.
std::int32_t ParseDecimal(std::string_view text);

}  // namespace orvanta
