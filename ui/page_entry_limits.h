#pragma once
// The number of characters the pages let the user type into their fields.

#include <windows.h>

namespace orvanta {

inline constexpr UINT kPathEntryLimit = 260;     // input, output, work folder
inline constexpr UINT kKeyFieldEntryLimit = 8;   // key position, key length
inline constexpr UINT kDisplayEntryLimit = 256;  // value preview, key definition
inline constexpr UINT kMemoryEntryLimit = 8;     // memory use in MB
inline constexpr UINT kCommandLineEntryLimit = 4096;
inline constexpr UINT kDelimiterHexEntryLimit = 2;   // CSV page
inline constexpr UINT kDelimiterCharEntryLimit = 1;  // CSV page

}  // namespace orvanta
