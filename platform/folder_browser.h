#pragma once
// The work-folder browser of the pages' "参照" button.

#include <windows.h>

#include "platform/outcomes.h"

namespace orvanta {

// Shows the folder browser with `initialFolder` preselected and returns its own 260-byte store,
// valid until its next call: the chosen folder's path, or the initial folder when the user
// cancels (an absent one counts as empty). `outcome`, when given, tells the ordinary cases
// from the refusals:
// - an initial folder longer than 259 bytes: no browser, empty store, TooLong;
// - a chosen folder that does not fit or has no ANSI form: the store keeps the initial folder,
//   TooLong or NotAnsi;
// - no shell allocator or no path for the chosen item: the initial folder, Unavailable.
const char* BrowseForFolder(const char* initialFolder, PickOutcome* outcome = nullptr);

// The browser's callback: on BFFM_INITIALIZED with data present, preselects the folder that
// the data names (BFFM_SETSELECTIONA, wParam TRUE). Returns 0 for every message.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM data);

}  // namespace orvanta
