#pragma once
// Finds the separators of a delimited record: delimiter bytes outside double quotes, where the
// quote flag flips at every quote before the delimiter is tested. Works on 64-byte blocks, each
// turned into bit masks, so that the cost does not grow with the number of quotes.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orvanta {

inline constexpr std::size_t kScanBlock = 64;

// Bit i stands for byte i of a block.
struct BlockMasks {
    std::uint64_t quotes = 0;
    std::uint64_t delimiters = 0;
};

// The masks of kScanBlock bytes, with SSE2 where the target has it.
BlockMasks ClassifyBlock(const char* block, unsigned char delimiter);

// The same with a byte loop: the path of other targets, kept callable to be compared.
BlockMasks ClassifyBlockPortable(const char* block, unsigned char delimiter);

struct SeparatorScan {
    std::size_t count = 0;     // separators found, at most the limit
    std::size_t position = 0;  // of separator number `limit`; the record's size when fewer
};

// Scans from the record's start with the quote flag off and stops at separator number `limit`
// (from 1; at least 1).
SeparatorScan ScanSeparators(std::string_view record, unsigned char delimiter, std::size_t limit);

}  // namespace orvanta
