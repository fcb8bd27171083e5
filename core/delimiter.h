#pragma once
// The CSV field delimiter of the whole program: 0 until the CSV page starts, then the comma
// unless the user enters another. Only the delimiter entry writes it; the CSV sample reader and
// the CSV value preview are handed its value.

namespace orvanta {

extern unsigned char DelimiterByte;

}  // namespace orvanta
