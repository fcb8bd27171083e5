#include "core/sample_record.h"

#include <cstring>
#include <string>

#include "core/csv_field.h"
#include "core/os/os.h"
#include "core/separator_scan.h"
#include "core/sjis.h"
#include "core/utf16_to_ansi.h"

namespace orvanta {
namespace {

constexpr std::size_t kStoreSize = kSampleReadLimit + 3;  // room for a zero unit after odd data

EncodingClass Classify(const unsigned char* data) {
    if (data[0] == 0xFF && data[1] == 0xFE) {
        return EncodingClass::Utf16Le;
    }
    if (data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
        return EncodingClass::Utf8;
    }
    return EncodingClass::NoMark;
}

// The CSV kind counts the fields while it stores them.
void StoreText(SortPageKind kind, SampleRecord& record, std::string_view text,
               unsigned char delimiter) {
    text = text.substr(0, CharacterBoundaryPrefix(text, kSampleTextStore - 1));
    if (kind == SortPageKind::Csv) {
        record.fieldCount = CountFieldsCopying(text, delimiter, record.text);
    } else {
        std::memcpy(record.text, text.data(), text.size());
    }
    record.text[text.size()] = '\0';
    record.length = static_cast<std::int32_t>(text.size());
}

void NoRecord(SortPageKind kind, SampleRecord& record) {
    record.length = 0;
    if (kind == SortPageKind::Csv) {
        record.fieldCount = 0;
    }
}

// Class 0 of the CSV kind: one pass over the read finds the record's end and counts its fields;
// the record is copied only once it is known to exist, so that a read without one leaves the
// text as it was.
void StoreCountedRecord(SampleRecord& record, const char* store, std::size_t size,
                        unsigned char delimiter) {
    // The record is shorter than the read, which the text store holds whole.
    const FirstRecordScan scan =
        CopyFirstRecord(std::string_view(store, size), delimiter, record.text);
    if (!scan.found) {
        NoRecord(SortPageKind::Csv, record);
        return;
    }
    record.text[scan.size] = '\0';
    record.length = static_cast<std::int32_t>(scan.size);
    record.fieldCount = scan.size > 0 ? static_cast<std::int32_t>(1 + scan.separators) : 0;
}

// Classes 0 and 2: the bytes before the first line feed, which must come before the first zero.
// The store holds a zero at `size`.
bool FindByteRecord(char* store, [[maybe_unused]] std::size_t size, std::size_t& recordEnd) {
#ifdef __GLIBC__
    // One pass for the first line feed or zero in place of two.
    const char* lineFeed = strchrnul(store, '\n');
    if (*lineFeed != '\n') {
        return false;
    }
#else
    const std::size_t dataEnd = strnlen(store, size);
    const void* lineFeed = std::memchr(store, '\n', dataEnd);
    if (lineFeed == nullptr) {
        return false;
    }
#endif
    recordEnd = static_cast<std::size_t>(static_cast<const char*>(lineFeed) - store);
    if (recordEnd > 0 && store[recordEnd - 1] == '\r') {
        --recordEnd;
    }
    return true;
}

// Class 1: the units (mark included) before the first line feed unit, which must come before
// the first zero unit.
bool FindUnitRecord(const unsigned char* data, std::size_t size, std::u16string& units) {
    for (std::size_t i = 0; i + 1 < size + 2; i += 2) {
        const char16_t unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit == 0) {
            return false;
        }
        if (unit == u'\n') {
            if (!units.empty() && units.back() == u'\r') {
                units.pop_back();
            }
            return true;
        }
        units.push_back(unit);
    }
    return false;
}

// Decodes the bytes of one read, which lie at the start of `store` followed by room for three
// zero bytes.
void DecodeStore(SortPageKind kind, char* store, std::size_t size, SampleRecord& record,
                 unsigned char delimiter) {
    store[size] = store[size + 1] = store[size + 2] = '\0';
    const auto* data = reinterpret_cast<const unsigned char*>(store);

    record.encoding = Classify(data);
    switch (record.encoding) {
        case EncodingClass::Utf16Le: {
            std::u16string units;
            if (!FindUnitRecord(data, size, units)) {
                NoRecord(kind, record);
                return;
            }
            StoreText(kind, record, Utf16ToAnsi(units), delimiter);
            break;
        }
        case EncodingClass::Utf8: {
            std::size_t recordEnd = 0;
            if (!FindByteRecord(store, size, recordEnd)) {
                NoRecord(kind, record);
                return;
            }
            store[recordEnd] = '\0';
            auto ansi = os::Utf8ToAnsi(store + 3);
            if (!ansi) {
                NoRecord(kind, record);
                return;
            }
            StoreText(kind, record, *ansi, delimiter);
            break;
        }
        default: {
            if (kind == SortPageKind::Csv) {
                StoreCountedRecord(record, store, size, delimiter);
                break;
            }
            std::size_t recordEnd = 0;
            if (!FindByteRecord(store, size, recordEnd)) {
                NoRecord(kind, record);
                return;
            }
            StoreText(kind, record, std::string_view(store, recordEnd), delimiter);
            break;
        }
    }
}

}  // namespace

void ReadSampleRecord(SortPageKind kind, const char* path, SampleRecord& record,
                      unsigned char delimiter) {
    char store[kStoreSize];
    const long got = os::ReadFileStart(path, store, kSampleReadLimit);
    if (got < 0) {
        record.encoding = EncodingClass::NotOpened;
        NoRecord(kind, record);
        return;
    }
    DecodeStore(kind, store, static_cast<std::size_t>(got), record, delimiter);
}

void DecodeSampleRecord(SortPageKind kind, std::string_view bytes, SampleRecord& record,
                        unsigned char delimiter) {
    char store[kStoreSize];
    const std::size_t size = bytes.size() < kSampleReadLimit ? bytes.size() : kSampleReadLimit;
    if (size > 0) {
        std::memcpy(store, bytes.data(), size);
    }
    DecodeStore(kind, store, size, record, delimiter);
}

}  // namespace orvanta
