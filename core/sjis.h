#pragma once
// Shift-JIS (code page 932) byte classification and searching.

#include <cstddef>
#include <optional>
#include <string_view>

namespace orvanta {

// True for 0x81-0x9F and 0xE0-0xFC: the byte begins a two-byte character, whatever follows.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Position of the last occurrence of `byte` that begins a character, never the second byte
// of a two-byte character; empty when there is none.
std::optional<std::size_t> FindLastByte(std::string_view text, unsigned char byte);

// The longest prefix of `text` of at most `limit` bytes that does not end inside a two-byte
// character.
std::size_t CharacterBoundaryPrefix(std::string_view text, std::size_t limit);

}  // namespace orvanta
