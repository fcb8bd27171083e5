#pragma once
// Putting a command on the clipboard as Unicode text.

#include <cstddef>

namespace orvanta {

// UTF-16 units of the clipboard copy's wide buffer, terminator included.
inline constexpr std::size_t kClipboardUnits = 65536;

// Converts the code page 932 text to UTF-16 and puts it on the clipboard as CF_UNICODETEXT.
// Returns false when nothing was copied. A text that is not valid code page 932, or whose
// UTF-16 form does not fit the wide buffer, is refused before the clipboard is touched; when
// the clipboard cannot be opened or does not take the text, it may have been emptied.
bool CopyCommandToClipboard(const char* text);

}  // namespace orvanta
