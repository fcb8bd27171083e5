#include "core/separator_scan.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "core/separator_scan_avx512.h"

#ifdef ORVANTA_SCAN_X64
#include <immintrin.h>
#if defined(__GNUC__) || defined(__clang__)
#define ORVANTA_TARGET_AVX2 __attribute__((target("avx2,pclmul,popcnt")))
#else
#include <intrin.h>
#define ORVANTA_TARGET_AVX2
#endif
#endif

namespace orvanta {
namespace {

constexpr char kQuote = '"';
constexpr std::size_t kBlock = 64;

// Bit i stands for byte i of a block.
struct BlockMasks {
    std::uint64_t quotes = 0;
    std::uint64_t delimiters = 0;
};

// Copies the short last part of a record into a zeroed block, whose padding is never a quote;
// returns the bits of the part's bytes, to leave the padding out of the delimiter bits (the
// delimiter may be zero).
std::uint64_t PadTail(char (&tail)[kBlock], const char* part, std::size_t size) {
    std::memset(tail, 0, kBlock);
    std::memcpy(tail, part, size);
    return (std::uint64_t{1} << size) - 1;
}

// The separators among a block's delimiters, given the parity of the quotes up to and including
// each byte; `insideQuotes` (all ones or zero) carries the flag from block to block. A quote
// delimiter separates where its own flip turns the flag off.
std::uint64_t BlockSeparators(std::uint64_t quoteParity, std::uint64_t delimiters,
                              std::uint64_t& insideQuotes) {
    const std::uint64_t inside = quoteParity ^ insideQuotes;
    insideQuotes = 0 - (inside >> 63);
    return delimiters & ~inside;
}

// Position of set bit number n (from 1) of `bits`, which has at least n.
std::size_t NthBit(std::uint64_t bits, std::size_t n) {
    while (--n > 0) {
        bits &= bits - 1;
    }
    return static_cast<std::size_t>(std::countr_zero(bits));
}

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

BlockMasks ClassifyPortable(const char* block, unsigned char delimiter) {
    BlockMasks masks;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const auto byte = static_cast<unsigned char>(block[i]);
        masks.quotes |= std::uint64_t{byte == static_cast<unsigned char>(kQuote)} << i;
        masks.delimiters |= std::uint64_t{byte == delimiter} << i;
    }
    return masks;
}

// Copies each part of the record to `copy`, unless that is null, once it has been read.
template <BlockMasks (*Classify)(const char*, unsigned char)>
SeparatorScan ScanBlocks(std::string_view record, unsigned char delimiter, std::size_t limit,
                         char* copy) {
    std::uint64_t insideQuotes = 0;
    std::size_t count = 0;
    char tail[kBlock];
    for (std::size_t start = 0; start < record.size(); start += kBlock) {
        const std::size_t part = record.size() - start < kBlock ? record.size() - start : kBlock;
        const char* bytes = record.data() + start;
        std::uint64_t valid = ~std::uint64_t{0};
        if (part < kBlock) {
            valid = PadTail(tail, bytes, part);
            bytes = tail;
        }
        const BlockMasks masks = Classify(bytes, delimiter);
        if (copy != nullptr) {
            std::memcpy(copy + start, record.data() + start, part);
        }
        const std::uint64_t separators =
            BlockSeparators(PrefixParity(masks.quotes), masks.delimiters & valid, insideQuotes);
        const std::size_t found = BitCount(separators);
        if (count + found >= limit) {
            return {limit, start + NthBit(separators, limit - count)};
        }
        count += found;
    }
    return {count, record.size()};
}

#ifdef ORVANTA_SCAN_X64
BlockMasks ClassifySse2(const char* block, unsigned char delimiter) {
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
}

// The AVX2 path has its loop in one function, so that the compiler may use the wider
// instructions in it.
class WideScan {
  public:
    explicit WideScan(std::size_t limit) : limit_(limit) {}

    // True when separator number `limit` lies in the block at `start`.
    ORVANTA_TARGET_AVX2 bool Take(std::uint64_t quotes, std::uint64_t delimiters,
                                  std::size_t start) {
        // A carry-less product with all ones is the running parity of the quotes.
        const auto parity = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_clmulepi64_si128(
            _mm_cvtsi64_si128(static_cast<long long>(quotes)), _mm_set1_epi8(-1), 0)));
        const std::uint64_t separators = BlockSeparators(parity, delimiters, insideQuotes_);
        const auto found = static_cast<std::size_t>(_mm_popcnt_u64(separators));
        if (count_ + found >= limit_) {
            result_ = {limit_, start + NthBit(separators, limit_ - count_)};
            return true;
        }
        count_ += found;
        return false;
    }

    SeparatorScan Result() const { return result_; }
    SeparatorScan Unfinished(std::size_t size) const { return {count_, size}; }

  private:
    std::size_t limit_;
    std::uint64_t insideQuotes_ = 0;
    std::size_t count_ = 0;
    SeparatorScan result_;
};

ORVANTA_TARGET_AVX2 SeparatorScan ScanAvx2(std::string_view record, unsigned char delimiter,
                                           std::size_t limit, char* copy) {
    const __m256i quote = _mm256_set1_epi8(kQuote);
    const __m256i separator = _mm256_set1_epi8(static_cast<char>(delimiter));
    WideScan scan(limit);
    char tail[kBlock];
    for (std::size_t start = 0; start < record.size(); start += kBlock) {
        const char* bytes = record.data() + start;
        std::uint64_t valid = ~std::uint64_t{0};
        if (record.size() - start < kBlock) {
            valid = PadTail(tail, bytes, record.size() - start);
            bytes = tail;
        }
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32));
        if (copy != nullptr && bytes != tail) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(copy + start), low);
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(copy + start + 32), high);
        } else if (copy != nullptr) {
            std::memcpy(copy + start, record.data() + start, record.size() - start);
        }
        const std::uint64_t quotes =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, quote))) |
            std::uint64_t{
                static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, quote)))}
                << 32;
        const std::uint64_t delimiters =
            static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, separator))) |
            std::uint64_t{static_cast<std::uint32_t>(
                _mm256_movemask_epi8(_mm256_cmpeq_epi8(high, separator)))}
                << 32;
        if (scan.Take(quotes, delimiters & valid, start)) {
            return scan.Result();
        }
    }
    return scan.Unfinished(record.size());
}

bool HasAvx2() {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("pclmul") &&
           __builtin_cpu_supports("popcnt");
#else
    int info[4];
    __cpuid(info, 1);
    const bool pclmul = (info[2] & (1 << 1)) != 0;
    const bool popcnt = (info[2] & (1 << 23)) != 0;
    const bool osAvx = (info[2] & (1 << 27)) != 0 && (info[2] & (1 << 28)) != 0;
    if (!pclmul || !popcnt || !osAvx || (_xgetbv(0) & 0x6) != 0x6) {
        return false;
    }
    __cpuidex(info, 7, 0);
    return (info[1] & (1 << 5)) != 0;
#endif
}

#endif

}  // namespace

bool ScanPathAvailable(ScanPath path) {
    switch (path) {
        case ScanPath::Portable:
            return true;
#ifdef ORVANTA_SCAN_X64
        case ScanPath::Sse2:
            return true;
        case ScanPath::Avx2: {
            static const bool available = HasAvx2();
            return available;
        }
        case ScanPath::Avx512:
            return avx512::Available();
#endif
        default:
            return false;
    }
}

namespace {

SeparatorScan ScanOn(ScanPath path, std::string_view record, unsigned char delimiter,
                     std::size_t limit, char* copy) {
#ifdef ORVANTA_SCAN_X64
    if (path == ScanPath::Avx512 && ScanPathAvailable(ScanPath::Avx512)) {
        return avx512::Scan(record, delimiter, limit, copy);
    }
    if (path == ScanPath::Avx2 && ScanPathAvailable(ScanPath::Avx2)) {
        return ScanAvx2(record, delimiter, limit, copy);
    }
    if (path == ScanPath::Sse2) {
        return ScanBlocks<ClassifySse2>(record, delimiter, limit, copy);
    }
#endif
    return ScanBlocks<ClassifyPortable>(record, delimiter, limit, copy);
}

ScanPath Fastest() {
    static const ScanPath fastest = ScanPathAvailable(ScanPath::Avx512) ? ScanPath::Avx512
                                    : ScanPathAvailable(ScanPath::Avx2) ? ScanPath::Avx2
                                    : ScanPathAvailable(ScanPath::Sse2) ? ScanPath::Sse2
                                                                        : ScanPath::Portable;
    return fastest;
}

}  // namespace

SeparatorScan ScanSeparatorsOn(ScanPath path, std::string_view record, unsigned char delimiter,
                               std::size_t limit) {
    return ScanOn(path, record, delimiter, limit, nullptr);
}

std::size_t CountSeparatorsCopyingOn(ScanPath path, std::string_view record,
                                     unsigned char delimiter, char* copy) {
    return ScanOn(path, record, delimiter, SIZE_MAX, copy).count;
}

FirstRecordScan CopyFirstRecordOn(ScanPath path, std::string_view bytes, unsigned char delimiter,
                                  char* copy) {
#ifdef ORVANTA_SCAN_X64
    if (path == ScanPath::Avx512 && ScanPathAvailable(ScanPath::Avx512)) {
        return avx512::CopyFirstRecord(bytes, delimiter, copy);
    }
#endif
    const void* zero = std::memchr(bytes.data(), '\0', bytes.size());
    const std::size_t searched =
        zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes.data())
                        : bytes.size();
    const void* lineFeed = std::memchr(bytes.data(), '\n', searched);
    if (lineFeed == nullptr) {
        return {};
    }
    std::size_t size = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - bytes.data());
    if (size > 0 && bytes[size - 1] == '\r') {
        --size;
    }
    return {true, size, ScanOn(path, bytes.substr(0, size), delimiter, SIZE_MAX, copy).count};
}

SeparatorScan ScanSeparators(std::string_view record, unsigned char delimiter, std::size_t limit) {
    return ScanOn(Fastest(), record, delimiter, limit, nullptr);
}

std::size_t CountSeparatorsCopying(std::string_view record, unsigned char delimiter, char* copy) {
    return ScanOn(Fastest(), record, delimiter, SIZE_MAX, copy).count;
}

FirstRecordScan CopyFirstRecord(std::string_view bytes, unsigned char delimiter, char* copy) {
    return CopyFirstRecordOn(Fastest(), bytes, delimiter, copy);
}

}  // namespace orvanta
