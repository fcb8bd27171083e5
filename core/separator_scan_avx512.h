#pragma once
// The AVX-512 path of the separator scan. It turns a chunk of blocks into quote and delimiter
// masks first and then works on the masks of eight blocks at once, one block in each 64-bit lane
// of a register, so that no block waits for the quote flag of the block before it.

#include <cstddef>
#include <string_view>

#include "core/separator_scan.h"

#if defined(__x86_64__) || defined(_M_X64)
#define ORVANTA_SCAN_X64 1

namespace orvanta::avx512 {

// True when the processor and the system support every instruction the path uses.
bool Available();

// As ScanSeparators and CountSeparatorsCopying (a null `copy` copies nothing).
SeparatorScan Scan(std::string_view record, unsigned char delimiter, std::size_t limit, char* copy);

// As CopyFirstRecord.
FirstRecordScan CopyFirstRecord(std::string_view bytes, unsigned char delimiter, char* copy);

}  // namespace orvanta::avx512

#endif
