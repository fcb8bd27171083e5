#pragma once
// Fields of a delimited record, with double quotes honoured.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta {

// Number of fields in the record: delimiter bytes outside quotes plus one; 0 for an empty
// record. The quote flag flips at every double quote before the delimiter is tested, and
// the scan takes single bytes, so a delimiter value in the second byte of a two-byte
// character counts.
std::int32_t CountFields(std::string_view record, unsigned char delimiter);

// The same count, taken while the record is copied to `out` (record.size() bytes, apart from the
// record; no terminator), in one pass over the bytes.
std::int32_t CountFieldsCopying(std::string_view record, unsigned char delimiter, char* out);

// A field's text without the line-end bytes at its end and the blanks at both ends.
std::string_view TrimField(std::string_view field);

// Field n (from 1) of the record, trimmed (line ends at its end, blanks at both ends, a pair of
// outer double quotes) with doubled quotes collapsed, written into `out` (at most outSize - 1
// bytes and a terminator; a store of the record's length plus one always holds the field).
// True when the field exists, also when its value is empty; false with `out` empty otherwise.
bool ExtractField(std::int32_t n, std::string_view record, char* out, std::size_t outSize,
                  unsigned char delimiter);

}  // namespace orvanta
