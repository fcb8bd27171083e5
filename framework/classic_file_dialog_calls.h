#pragma once
// The classic file dialogs of comdlg32, reached through a table loaded on first use. Linking
// them directly would load comdlg32, and the print spooler it depends on, at every start of
// the program, though most runs never open a classic dialog.

#include <windows.h>
#include <commdlg.h>

namespace orvanta {

struct ClassicFileDialogCalls {
    BOOL(WINAPI* getOpenFileName)(OPENFILENAMEA*);
    BOOL(WINAPI* getSaveFileName)(OPENFILENAMEA*);
    DWORD(WINAPI* extendedError)();
};

// Loads comdlg32 from the system folder on the first call and keeps it for the rest of the
// run. Null when it cannot be loaded or lacks one of the calls.
const ClassicFileDialogCalls* LoadClassicFileDialogCalls();

}  // namespace orvanta
