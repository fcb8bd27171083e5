#pragma once
// Wide paths from the shell, given back in the ANSI code page only when they convert whole.

#include <string>

namespace orvanta {

enum class AnsiConversion {
    Exact,    // every character has an ANSI form
    NotAnsi,  // some character has none: the ANSI text would name another file
};

// Converts a zero-terminated wide path to the ANSI code page into `out`. When a character has
// no ANSI form, `out` is emptied rather than filled with replacement characters.
AnsiConversion AnsiFromWide(const wchar_t* wide, std::string& out);

}  // namespace orvanta
