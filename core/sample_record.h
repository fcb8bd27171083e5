#pragma once
// The first record of an input file, decoded to code page 932, as the pages sample it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/page_settings.h"

namespace orvanta {

enum class EncodingClass : std::int32_t {
    NotOpened = -1,  // the file could not be opened
    NoMark = 0,      // taken as code page 932 bytes
    Utf16Le = 1,     // starts with 0xFF 0xFE
    Utf8 = 2,        // starts with 0xEF 0xBB 0xBF
};

// How much of the file one sample read takes.
inline constexpr std::size_t kSampleReadLimit = 65535;
inline constexpr std::size_t kSampleTextStore = 65536;

struct SampleRecord {
    EncodingClass encoding = EncodingClass::NotOpened;
    // The record without its line end, zero-terminated; meaningful only while length > 0.
    char text[kSampleTextStore] = {};
    std::int32_t length = 0;
    std::int32_t fieldCount = 0;  // CSV pages only

    std::string_view view() const {
        return {text, length > 0 ? static_cast<std::size_t>(length) : 0};
    }
};

// Reads the start of the file (one open, one read of at most 65,535 bytes, one close),
// classifies its byte-order mark and takes the bytes before the first line feed as the
// record. A read that finds no record sets length (and fieldCount) to 0 and leaves text as it
// was. The CSV kind counts the record's fields with `delimiter`.
void ReadSampleRecord(SortPageKind kind, const char* path, SampleRecord& record,
                      unsigned char delimiter);

// The same for the bytes of a file's start that are already at hand (at most the first 65,535
// of them take part).
void DecodeSampleRecord(SortPageKind kind, std::string_view bytes, SampleRecord& record,
                        unsigned char delimiter);

}  // namespace orvanta
