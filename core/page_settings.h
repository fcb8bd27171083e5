#pragma once
// The values of one sort page that command composition reads: a snapshot of the page's
// controls, each text taken with the width the page reads it with.

#include <cstddef>
#include <string_view>

#include "core/fixed_text.h"

namespace orvanta {

enum class SortPageKind { Csv, Text };
enum class KeyOrder { Ascending, Descending };
enum class KeyAttribute { String, Number, CommaNumber };

// Read widths: a control is read into a store one byte larger, for the terminator.
inline constexpr std::size_t kPathReadWidth = 259;
inline constexpr std::size_t kKeyFieldReadWidth = 7;  // the fields take 8 digits, 7 count
inline constexpr std::size_t kDisplayReadWidth = 255;

using PathText = FixedText<kPathReadWidth>;
using KeyFieldText = FixedText<kKeyFieldReadWidth>;
using DisplayText = FixedText<kDisplayReadWidth>;

inline constexpr std::string_view kCsvEngineName = "Pellacor.exe";
inline constexpr std::string_view kTextEngineName = "Trivandel.exe";

constexpr std::string_view EngineName(SortPageKind kind) {
    return kind == SortPageKind::Csv ? kCsvEngineName : kTextEngineName;
}

struct SortPageSettings {
    SortPageKind kind = SortPageKind::Csv;
    PathText inputPath;
    PathText outputPath;
    KeyFieldText keyPosition;
    KeyFieldText keyLength;
    KeyOrder order = KeyOrder::Ascending;
    KeyAttribute attribute = KeyAttribute::String;
    DisplayText valuePreview;
    DisplayText keyDefinition;
    bool utf16Le = false;
    bool ignoreCase = false;
    PathText memoryMb;
    PathText workFolder;
    PathText delimiterHex;  // CSV page only

    std::string_view engineName() const { return EngineName(kind); }
};

}  // namespace orvanta
