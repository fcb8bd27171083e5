#pragma once
// Finds the separators of a delimited record: delimiter bytes outside double quotes, where the
// quote flag flips at every quote before the delimiter is tested. Works on 64-byte blocks, each
// turned into bit masks, so that the cost does not grow with the number of quotes.

#include <cstddef>
#include <string_view>

namespace orvanta {

struct SeparatorScan {
    std::size_t count = 0;     // separators found, at most the limit
    std::size_t position = 0;  // of separator number `limit`; the record's size when fewer
};

// Scans from the record's start with the quote flag off and stops at separator number `limit`
// (from 1; at least 1), on the fastest path the processor offers.
SeparatorScan ScanSeparators(std::string_view record, unsigned char delimiter, std::size_t limit);

// All the separators, counted while the record is copied to `copy` (record.size() bytes, apart
// from the record), so that a record that is stored and counted is read once.
std::size_t CountSeparatorsCopying(std::string_view record, unsigned char delimiter, char* copy);

// The first record of a read: the bytes before its first line feed, without a carriage return
// right before that line feed. There is a record only when the line feed comes before the first
// zero byte; then it is copied to `copy` (its size in bytes, apart from the read), and only then.
struct FirstRecordScan {
    bool found = false;
    std::size_t size = 0;        // of the record
    std::size_t separators = 0;  // in the record, as ScanSeparators finds them
};

FirstRecordScan CopyFirstRecord(std::string_view bytes, unsigned char delimiter, char* copy);

// The ways a block can be turned into masks: a byte loop on any target, SSE2 on x86-64, and
// AVX2 with carry-less multiplication, or AVX-512 (byte compares, carry-less multiplication and
// population counts on whole registers), where the processor has them.
enum class ScanPath { Portable, Sse2, Avx2, Avx512 };

bool ScanPathAvailable(ScanPath path);

// The same scan on a given, available path, so that the paths can be compared.
SeparatorScan ScanSeparatorsOn(ScanPath path, std::string_view record, unsigned char delimiter,
                               std::size_t limit);
std::size_t CountSeparatorsCopyingOn(ScanPath path, std::string_view record,
                                     unsigned char delimiter, char* copy);
FirstRecordScan CopyFirstRecordOn(ScanPath path, std::string_view bytes, unsigned char delimiter,
                                  char* copy);

}  // namespace orvanta
