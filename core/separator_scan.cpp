#include "core/separator_scan.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64) || defined(_M_AMD64)
#include <emmintrin.h>
#define ORVANTA_SCAN_SSE2 1
#endif

namespace orvanta {
namespace {

constexpr char kQuote = '"';

// Bit i set when an odd number of bits 0..i are set in `bits`.
std::uint64_t PrefixParity(std::uint64_t bits) {
    bits ^= bits << 1;
    bits ^= bits << 2;
    bits ^= bits << 4;
    bits ^= bits << 8;
    bits ^= bits << 16;
    bits ^= bits << 32;
    return bits;
}

// std::popcount becomes a library call on targets without a population count instruction.
std::uint64_t BitCount(std::uint64_t bits) {
    bits -= (bits >> 1) & 0x5555555555555555u;
    bits = (bits & 0x3333333333333333u) + ((bits >> 2) & 0x3333333333333333u);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return (bits * 0x0101010101010101u) >> 56;
}

}  // namespace

BlockMasks ClassifyBlockPortable(const char* block, unsigned char delimiter) {
    BlockMasks masks;
    for (std::size_t i = 0; i < kScanBlock; ++i) {
        const auto byte = static_cast<unsigned char>(block[i]);
        masks.quotes |= std::uint64_t{byte == static_cast<unsigned char>(kQuote)} << i;
        masks.delimiters |= std::uint64_t{byte == delimiter} << i;
    }
    return masks;
}

BlockMasks ClassifyBlock(const char* block, unsigned char delimiter) {
#ifdef ORVANTA_SCAN_SSE2
    const __m128i quote = _mm_set1_epi8(kQuote);
    const __m128i separator = _mm_set1_epi8(static_cast<char>(delimiter));
    BlockMasks masks;
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * part));
        const auto quoteBits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote)));
        const auto delimiterBits =
            static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, separator)));
        masks.quotes |= std::uint64_t{quoteBits} << (16 * part);
        masks.delimiters |= std::uint64_t{delimiterBits} << (16 * part);
    }
    return masks;
#else
    return ClassifyBlockPortable(block, delimiter);
#endif
}

SeparatorScan ScanSeparators(std::string_view record, unsigned char delimiter, std::size_t limit) {
    const char* data = record.data();
    const std::size_t size = record.size();
    std::uint64_t insideQuotes = 0;  // all ones while a block starts inside quotes
    std::size_t count = 0;
    for (std::size_t start = 0; start < size; start += kScanBlock) {
        const std::size_t valid = size - start < kScanBlock ? size - start : kScanBlock;
        BlockMasks masks;
        if (valid == kScanBlock) {
            masks = ClassifyBlock(data + start, delimiter);
        } else {
            // The last part, padded with zeros: never a quote, and the delimiter bits beyond
            // the record are cleared, as the delimiter may be zero.
            char tail[kScanBlock] = {};
            std::memcpy(tail, data + start, valid);
            masks = ClassifyBlock(tail, delimiter);
            masks.delimiters &= (std::uint64_t{1} << valid) - 1;
        }
        // A quote delimiter separates where its own flip leaves the flag off, so the flag is
        // taken after the flip at every byte.
        const std::uint64_t inside = PrefixParity(masks.quotes) ^ insideQuotes;
        std::uint64_t separators = masks.delimiters & ~inside;
        insideQuotes = 0 - (inside >> 63);
        const std::uint64_t found = BitCount(separators);
        if (count + found >= limit) {
            for (std::size_t skip = limit - count - 1; skip > 0; --skip) {
                separators &= separators - 1;
            }
            return {limit, start + static_cast<std::size_t>(std::countr_zero(separators))};
        }
        count += found;
    }
    return {count, size};
}

}  // namespace orvanta
