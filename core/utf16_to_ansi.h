#pragma once
// UTF-16 records to code page 932, one unit at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

// The result never holds more than this many bytes (a store of 65,535 with its terminator).
inline constexpr std::size_t kUtf16ToAnsiMaxBytes = 65534;

// Converts the units up to the first zero unit, skipping a leading byte-order mark (0xFEFF).
// Each unit becomes its one- or two-byte code page 932 form; a unit without one becomes a
// single blank, so a character outside the Basic Multilingual Plane becomes two blanks.
// Conversion stops before a character that would not fit the result's bound.
std::string Utf16ToAnsi(std::u16string_view units);

}  // namespace orvanta
