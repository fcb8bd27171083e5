#pragma once
// The calls through which the framework reaches the user and the clock: message boxes and
// timers. Tests replace members of FrameworkSeams() to capture what would be shown or started
// without blocking, and call ResetFrameworkSeams() to put the real calls back.

#include <windows.h>

namespace orvanta {

struct FrameworkSeamTable {
    // MessageBoxW.
    int (*messageBox)(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);
    // SetTimer and KillTimer of a window's timer, without a callback.
    UINT_PTR (*setTimer)(HWND window, UINT_PTR id, UINT elapse);
    BOOL (*killTimer)(HWND window, UINT_PTR id);
};

FrameworkSeamTable& FrameworkSeams();
void ResetFrameworkSeams();

// A modal message box through the seam.
int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type);

}  // namespace orvanta
