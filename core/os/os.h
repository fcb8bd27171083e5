#pragma once
// The few operating-system services the core needs. One implementation per platform:
// os_win32.cpp (the Win32 and C runtime calls) and os_posix.cpp (for the native build).

#include <cstddef>
#include <optional>
#include <string>

namespace orvanta::os {

// Full path of the running executable in the ANSI code page, as it fits a 260-byte store;
// empty when the platform cannot give it.
std::string ExecutablePath();

struct TimeOfDay {
    int hour = 0;  // 0-23
    int minute = 0;
    int second = 0;
};

// The current local time of day, daylight saving applied.
TimeOfDay LocalTimeOfDay();

// Converts one UTF-16 unit to its code page 932 form. Writes one or two bytes to `out` and
// returns their number; returns 0 for a unit with no code page 932 form (including each half
// of a surrogate pair taken alone).
int Utf16UnitToCp932(char16_t unit, char out[2]);

// UTF-8 text (zero-terminated) to the ANSI code page. Characters without an ANSI form become
// the code page's default character. Empty optional when the conversion cannot be done at all.
std::optional<std::string> Utf8ToAnsi(const char* utf8);

// Code page 932 text to UTF-16. Empty optional when the text holds a byte sequence that is not
// valid code page 932.
std::optional<std::u16string> Cp932ToUtf16(const std::string& text);

// Opens the file read-only in binary mode, sharing it for reading and writing with others,
// reads at most `capacity` bytes from its start in one read and closes it again.
// Returns the number of bytes read, or -1 when the file cannot be opened or read.
long ReadFileStart(const char* path, char* buffer, std::size_t capacity);

// The value of an environment variable; empty when it is not set.
std::string EnvironmentValue(const char* name);

}  // namespace orvanta::os
