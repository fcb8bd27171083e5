#pragma once
// Byte searches, comparisons and short copies for the sorters' hot paths. Windows builds use
// their own, sixteen or eight bytes at a time, since the msvcrt they link may go byte by byte
// (Wine's searches and compares do, and its copies start and end with string instructions);
// elsewhere the C library's are faster still.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define ORVANTA_SORTERS_SSE2 1
#endif

#if defined(_MSC_VER)
#include <stdlib.h>
#endif

namespace orvanta::sorters {

// The first `byte` in [begin, end), or end.
inline const char* FindByteInBlocks(const char* begin, const char* end, char byte) {
#if defined(ORVANTA_SORTERS_SSE2)
    const __m128i wanted = _mm_set1_epi8(byte);
    while (end - begin >= 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, wanted)));
        if (hits != 0) {
            return begin + std::countr_zero(hits);
        }
        begin += 16;
    }
#endif
    while (begin != end && *begin != byte) {
        ++begin;
    }
    return begin;
}

// Eight bytes as a big-endian number: their unsigned order as text.
inline std::uint64_t LoadBigEndian64(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, 8);
    if constexpr (std::endian::native == std::endian::little) {
#if defined(_MSC_VER)
        word = _byteswap_uint64(word);
#else
        word = __builtin_bswap64(word);
#endif
    }
    return word;
}

// memcmp's sign for `size` bytes, compared as unsigned.
inline int CompareBytesInWords(const char* a, const char* b, std::size_t size) {
    for (; size >= 8; a += 8, b += 8, size -= 8) {
        const std::uint64_t left = LoadBigEndian64(a);
        const std::uint64_t right = LoadBigEndian64(b);
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    for (; size > 0; ++a, ++b, --size) {
        if (*a != *b) {
            return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b) ? -1 : 1;
        }
    }
    return 0;
}

// Copies `size` bytes to a buffer that does not overlap the source: blocks of sixteen, the
// last one overlapping the one before it, or two overlapping words.
inline void CopyBytesInBlocks(char* to, const char* from, std::size_t size) {
#if defined(ORVANTA_SORTERS_SSE2)
    if (size >= 16) {
        const char* lastFrom = from + size - 16;
        char* lastTo = to + size - 16;
        for (; from < lastFrom; from += 16, to += 16) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                             _mm_loadu_si128(reinterpret_cast<const __m128i*>(from)));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lastTo),
                         _mm_loadu_si128(reinterpret_cast<const __m128i*>(lastFrom)));
        return;
    }
#endif
    if (size >= 8) {
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        std::memcpy(&first, from, 8);
        std::memcpy(&last, from + size - 8, 8);
        std::memcpy(to, &first, 8);
        std::memcpy(to + size - 8, &last, 8);
        return;
    }
    for (std::size_t i = 0; i < size; ++i) {
        to[i] = from[i];
    }
}

// Records and items are short: past this, the C library's copy is as good as ours.
inline constexpr std::size_t kOwnCopyLimit = 512;

inline void CopyBytes(char* to, const char* from, std::size_t size) {
#if defined(_WIN32)
    if (size <= kOwnCopyLimit) {
        CopyBytesInBlocks(to, from, size);
        return;
    }
#endif
    if (size != 0) {
        std::memcpy(to, from, size);
    }
}

inline const char* FindByte(const char* begin, const char* end, char byte) {
#if defined(_WIN32)
    return FindByteInBlocks(begin, end, byte);
#else
    const void* found =
        begin == end ? nullptr : std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return found == nullptr ? end : static_cast<const char*>(found);
#endif
}

inline int CompareBytes(const char* a, const char* b, std::size_t size) {
#if defined(_WIN32)
    return CompareBytesInWords(a, b, size);
#else
    return size == 0 ? 0 : std::memcmp(a, b, size);
#endif
}

}  // namespace orvanta::sorters
