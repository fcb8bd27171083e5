#include "platform/ansi_path.h"

#include <windows.h>

namespace orvanta {

AnsiConversion AnsiFromWide(const wchar_t* wide, std::string& out) {
    out.clear();
    // The UTF-8 code page refuses the default-character query, and has a form for everything.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultQuery = utf8 ? nullptr : &usedDefault;

    int bytes = WideCharToMultiByte(CP_ACP, flags, wide, -1, nullptr, 0, nullptr, usedDefaultQuery);
    if (bytes <= 0 || usedDefault) {
        return AnsiConversion::NotAnsi;
    }
    std::string ansi(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, wide, -1, ansi.data(), bytes, nullptr,
                            usedDefaultQuery) != bytes ||
        usedDefault) {
        return AnsiConversion::NotAnsi;
    }
    ansi.resize(static_cast<std::size_t>(bytes) - 1);  // the terminator
    out = std::move(ansi);
    return AnsiConversion::Exact;
}

}  // namespace orvanta
