#pragma once
// Putting a command on the clipboard as Unicode text.

#include <cstddef>

#include "platform/outcomes.h"

namespace orvanta {

// UTF-16 units of the clipboard copy's wide buffer, terminator included.
inline constexpr std::size_t kClipboardUnits = 65536;

// Converts the code page 932 text to UTF-16 and puts it on the clipboard as CF_UNICODETEXT.
// A text that is not valid code page 932, or whose UTF-16 form does not fit the wide buffer,
// is refused before the clipboard is touched; when the clipboard cannot be opened (another
// program holds it) or does not take the text, it may have been emptied.
CopyOutcome CopyCommandToClipboard(const char* text);

}  // namespace orvanta
