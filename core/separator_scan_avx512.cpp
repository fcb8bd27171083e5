#include "core/separator_scan_avx512.h"

#ifdef ORVANTA_SCAN_X64

#include <immintrin.h>

#include <cstdint>
#include <cstring>

#if defined(__GNUC__) || defined(__clang__)
#define ORVANTA_TARGET_AVX512                                                      \
    __attribute__((                                                                \
        target("avx512f,avx512bw,avx512dq,avx512vpopcntdq,vpclmulqdq,avx2,pclmul," \
               "popcnt,bmi,bmi2,sse4.1")))
#else
#include <intrin.h>
#define ORVANTA_TARGET_AVX512
#endif

namespace orvanta::avx512 {
namespace {

constexpr char kQuote = '"';
constexpr std::size_t kBlock = 64;
constexpr std::size_t kLanes = 8;
// Blocks whose masks are made before they are worked on: a small store that stays in the first
// level cache, and little work past a separator that is found early.
constexpr std::size_t kChunkBlocks = 32;
constexpr std::size_t kChunkBytes = kChunkBlocks * kBlock;

// Bit i stands for byte i of block i / 64 of the chunk; unused blocks of the last group hold zero.
struct ChunkMasks {
    std::uint64_t quotes[kChunkBlocks];
    std::uint64_t delimiters[kChunkBlocks];
};

std::uint64_t LowBits(std::size_t count) {
    return count >= kBlock ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
}

// Zero masks for the blocks from `used` up to the end of their group.
std::size_t PadGroup(ChunkMasks& masks, std::size_t used) {
    std::size_t padded = used;
    for (; padded % kLanes != 0; ++padded) {
        masks.quotes[padded] = 0;
        masks.delimiters[padded] = 0;
    }
    return padded;
}

// The quote flag between the groups of a scan, and the separators found before the group.
struct ScanState {
    std::uint32_t insideQuotes = 0;  // 0 or 1
    std::size_t count = 0;
};

// The separators of the eight blocks whose masks start at `block`, one block in each lane.
ORVANTA_TARGET_AVX512 inline __m512i GroupSeparators(const ChunkMasks& masks, std::size_t block,
                                                     ScanState& state) {
    const __m512i quotes = _mm512_loadu_si512(masks.quotes + block);
    const __m512i delimiters = _mm512_loadu_si512(masks.delimiters + block);
    // A carry-less product with all ones is the running parity of the quotes in each block.
    const __m512i ones = _mm512_set1_epi64(-1);
    const __m512i even = _mm512_clmulepi64_epi128(quotes, ones, 0x00);
    const __m512i odd = _mm512_clmulepi64_epi128(quotes, ones, 0x01);
    // (The zero-masking forms, as the plain ones leave GCC 12 warning about their unset source.)
    const __m512i parity = _mm512_maskz_unpacklo_epi64(0xFF, even, odd);
    // The top bit of each lane is its block's quote parity; their running parity across the
    // lanes, with the flag carried in, is the flag at the start of each block.
    std::uint32_t flips = _mm512_movepi64_mask(parity);
    flips ^= flips << 1;
    flips ^= flips << 2;
    flips ^= flips << 4;
    const std::uint32_t before = ((flips << 1) ^ (0u - state.insideQuotes)) & 0xFF;
    state.insideQuotes ^= (flips >> 7) & 1;
    const __m512i inside =
        _mm512_xor_si512(parity, _mm512_movm_epi64(static_cast<__mmask8>(before)));
    return _mm512_maskz_andnot_epi64(0xFF, inside, delimiters);
}

ORVANTA_TARGET_AVX512 inline std::size_t SumLanes(__m512i lanes) {
    const __m256i half = _mm256_add_epi64(_mm512_maskz_extracti64x4_epi64(0xF, lanes, 0),
                                          _mm512_maskz_extracti64x4_epi64(0xF, lanes, 1));
    const __m128i quarter =
        _mm_add_epi64(_mm256_castsi256_si128(half), _mm256_extracti128_si256(half, 1));
    return static_cast<std::size_t>(_mm_cvtsi128_si64(quarter) + _mm_extract_epi64(quarter, 1));
}

ORVANTA_TARGET_AVX512 inline std::size_t NthBit(std::uint64_t bits, std::size_t n) {
    return static_cast<std::size_t>(_tzcnt_u64(_pdep_u64(std::uint64_t{1} << (n - 1), bits)));
}

// Counts the separators of the chunk's blocks (a multiple of eight) that starts at `offset`. True
// with `position` set when separator number `limit` lies among them.
ORVANTA_TARGET_AVX512 bool CountChunk(const ChunkMasks& masks, std::size_t blocks,
                                      std::size_t offset, std::size_t limit, ScanState& state,
                                      std::size_t& position) {
    if (limit == SIZE_MAX) {
        __m512i counts = _mm512_setzero_si512();
        for (std::size_t group = 0; group < blocks; group += kLanes) {
            counts =
                _mm512_add_epi64(counts, _mm512_popcnt_epi64(GroupSeparators(masks, group, state)));
        }
        state.count += SumLanes(counts);
        return false;
    }
    for (std::size_t group = 0; group < blocks; group += kLanes) {
        const __m512i separators = GroupSeparators(masks, group, state);
        const std::size_t found = SumLanes(_mm512_popcnt_epi64(separators));
        if (state.count + found < limit) {
            state.count += found;
            continue;
        }
        std::uint64_t lanes[kLanes];
        _mm512_storeu_si512(lanes, separators);
        for (std::size_t lane = 0;; ++lane) {
            const auto inLane = static_cast<std::size_t>(_mm_popcnt_u64(lanes[lane]));
            if (state.count + inLane >= limit) {
                position =
                    offset + (group + lane) * kBlock + NthBit(lanes[lane], limit - state.count);
                state.count = limit;
                return true;
            }
            state.count += inLane;
        }
    }
    return false;
}

// The masks of the chunk at `offset`, copying its bytes to `copy` unless that is null; returns
// the number of blocks.
ORVANTA_TARGET_AVX512 std::size_t ClassifyChunk(std::string_view record, std::size_t offset,
                                                unsigned char delimiter, char* copy,
                                                ChunkMasks& masks) {
    const __m512i quote = _mm512_set1_epi8(kQuote);
    const __m512i separator = _mm512_set1_epi8(static_cast<char>(delimiter));
    const std::size_t end =
        record.size() - offset < kChunkBytes ? record.size() : offset + kChunkBytes;
    std::size_t block = 0;
    std::size_t start = offset;
    for (; start + kBlock <= end; start += kBlock, ++block) {
        const __m512i bytes = _mm512_loadu_si512(record.data() + start);
        if (copy != nullptr) {
            _mm512_storeu_si512(copy + start, bytes);
        }
        masks.quotes[block] = _mm512_cmpeq_epi8_mask(bytes, quote);
        masks.delimiters[block] = _mm512_cmpeq_epi8_mask(bytes, separator);
    }
    if (start < end) {
        const __mmask64 valid = LowBits(end - start);
        const __m512i bytes = _mm512_maskz_loadu_epi8(valid, record.data() + start);
        if (copy != nullptr) {
            _mm512_mask_storeu_epi8(copy + start, valid, bytes);
        }
        masks.quotes[block] = _mm512_mask_cmpeq_epi8_mask(valid, bytes, quote);
        masks.delimiters[block] = _mm512_mask_cmpeq_epi8_mask(valid, bytes, separator);
        ++block;
    }
    return block;
}

// The masks of the chunk at `offset` up to the first line feed or zero byte, whose position goes
// to `stop` when it lies in the chunk; returns the number of blocks. Four blocks at a time are
// tested for an end with one mask, and those before the end are then turned into masks from the
// registers they were loaded into.
ORVANTA_TARGET_AVX512 std::size_t ClassifyLineChunk(std::string_view bytes, std::size_t offset,
                                                    unsigned char delimiter, ChunkMasks& masks,
                                                    std::size_t& stop) {
    const __m512i quote = _mm512_set1_epi8(kQuote);
    const __m512i separator = _mm512_set1_epi8(static_cast<char>(delimiter));
    const __m512i lineFeed = _mm512_set1_epi8('\n');
    const std::size_t end =
        bytes.size() - offset < kChunkBytes ? bytes.size() : offset + kChunkBytes;
    std::size_t block = 0;
    std::size_t start = offset;
    for (; start + 4 * kBlock <= end; start += 4 * kBlock, block += 4) {
        __m512i parts[4];
        __m512i ends = _mm512_set1_epi8(-1);
        for (std::size_t part = 0; part < 4; ++part) {
            parts[part] = _mm512_loadu_si512(bytes.data() + start + part * kBlock);
            ends = _mm512_min_epu8(
                ends, _mm512_min_epu8(parts[part], _mm512_xor_si512(parts[part], lineFeed)));
        }
        if (_mm512_testn_epi8_mask(ends, ends) != 0) {
            break;
        }
        for (std::size_t part = 0; part < 4; ++part) {
            masks.quotes[block + part] = _mm512_cmpeq_epi8_mask(parts[part], quote);
            masks.delimiters[block + part] = _mm512_cmpeq_epi8_mask(parts[part], separator);
        }
    }
    for (; start < end; start += kBlock, ++block) {
        const __m512i data = _mm512_maskz_loadu_epi8(LowBits(end - start), bytes.data() + start);
        // The smaller of a byte and its difference to a line feed is zero for both kinds of end;
        // the bytes past the read count as zero.
        const __m512i ends = _mm512_min_epu8(data, _mm512_xor_si512(data, lineFeed));
        const std::uint64_t endBits = _mm512_testn_epi8_mask(ends, ends);
        const std::uint64_t before =
            endBits != 0 ? LowBits(_tzcnt_u64(endBits)) : ~std::uint64_t{0};
        masks.quotes[block] = _mm512_cmpeq_epi8_mask(data, quote) & before;
        masks.delimiters[block] = _mm512_cmpeq_epi8_mask(data, separator) & before;
        if (endBits != 0) {
            stop = start + static_cast<std::size_t>(_tzcnt_u64(endBits));
            return block + 1;
        }
    }
    return block;
}

#if defined(__GNUC__) || defined(__clang__)
bool Supported() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vpopcntdq") &&
           __builtin_cpu_supports("vpclmulqdq") && __builtin_cpu_supports("avx2") &&
           __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("popcnt") &&
           __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2");
}
#else
bool Supported() {
    int info[4];
    __cpuid(info, 1);
    const bool pclmul = (info[2] & (1 << 1)) != 0;
    const bool popcnt = (info[2] & (1 << 23)) != 0;
    const bool osSaves = (info[2] & (1 << 27)) != 0;
    // The system keeps the mask and wide registers.
    if (!pclmul || !popcnt || !osSaves || (_xgetbv(0) & 0xE6) != 0xE6) {
        return false;
    }
    __cpuidex(info, 7, 0);
    const int ebx = info[1];
    const int ecx = info[2];
    const bool avx2 = (ebx & (1 << 5)) != 0;
    const bool bmi = (ebx & (1 << 3)) != 0 && (ebx & (1 << 8)) != 0;
    const bool avx512 = (ebx & (1 << 16)) != 0 && (ebx & (1 << 17)) != 0 && (ebx & (1 << 30)) != 0;
    const bool wide = (ecx & (1 << 10)) != 0 && (ecx & (1 << 14)) != 0;
    return avx2 && bmi && avx512 && wide;
}
#endif

}  // namespace

bool Available() {
    static const bool available = Supported();
    return available;
}

ORVANTA_TARGET_AVX512 SeparatorScan Scan(std::string_view record, unsigned char delimiter,
                                         std::size_t limit, char* copy) {
    ChunkMasks masks;
    ScanState state;
    for (std::size_t offset = 0; offset < record.size(); offset += kChunkBytes) {
        const std::size_t blocks =
            PadGroup(masks, ClassifyChunk(record, offset, delimiter, copy, masks));
        std::size_t position = 0;
        if (CountChunk(masks, blocks, offset, limit, state, position)) {
            return {limit, position};
        }
    }
    return {state.count, record.size()};
}

ORVANTA_TARGET_AVX512 FirstRecordScan CopyFirstRecord(std::string_view bytes,
                                                      unsigned char delimiter, char* copy) {
    ChunkMasks masks;
    ScanState state;
    std::size_t stop = bytes.size();
    for (std::size_t offset = 0; offset < bytes.size() && stop == bytes.size();
         offset += kChunkBytes) {
        const std::size_t blocks =
            PadGroup(masks, ClassifyLineChunk(bytes, offset, delimiter, masks, stop));
        std::size_t unused = 0;
        CountChunk(masks, blocks, offset, SIZE_MAX, state, unused);
    }
    if (stop == bytes.size() || bytes[stop] != '\n') {
        return {};
    }
    FirstRecordScan scan{true, stop, state.count};
    if (stop > 0 && bytes[stop - 1] == '\r') {
        --scan.size;
        // The carriage return was counted when it is the delimiter and lies outside quotes,
        // where the flag after all the bytes before the line feed is off.
        if (delimiter == '\r' && state.insideQuotes == 0) {
            --scan.separators;
        }
    }
    std::memcpy(copy, bytes.data(), scan.size);
    return scan;
}

}  // namespace orvanta::avx512

#endif
