#pragma once
// The input and output file pickers of the pages' "参照" buttons.
//
// Each returns its own 260-byte store, valid until its next call: the chosen full path in the
// ANSI code page, or empty text when nothing was chosen. `outcome`, when given, tells a
// cancel apart from a path that was refused because it does not fit the store or has no
// ANSI form; a refused path leaves the store empty.

#include "platform/outcomes.h"

namespace orvanta {

// The classic dialog flags of both pickers: OFN_HIDEREADONLY | OFN_CREATEPROMPT | OFN_EXPLORER
// | OFN_ENABLESIZING; no overwrite prompt.
inline constexpr unsigned long kPickerFlags = 0x882004;

// An open-file dialog for any file ("*(*.*)|*.*||").
const char* PickInputFile(PickOutcome* outcome = nullptr);

// A save-file dialog for `extension` (without period; the pages pass "csv" or "txt"). A chosen
// name whose extension differs from it, ignoring the case of ASCII letters, gets "." and the
// extension appended, unless the extension is "*".
const char* PickOutputFile(const char* extension, PickOutcome* outcome = nullptr);

}  // namespace orvanta
