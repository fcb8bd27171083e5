#pragma once
// Driving real windows from a test: the framework's modal-loop step over queued messages,
// and keys typed through SendInput so that GetAsyncKeyState sees them.

#include <windows.h>

#include <functional>

namespace orvanta::test {

// Processes queued messages the way the framework's modal loop does (keyboard messages pass
// the dialogs' PreTranslateMessage up to `stop`) until `done` holds or the time runs out.
// Returns whether `done` held.
bool PumpUntil(HWND stop, const std::function<bool()>& done, DWORD timeoutMs = 3000);
// Processes what is queued now and whatever arrives within `quietMs`.
void PumpFor(HWND stop, DWORD quietMs = 100);

// Makes `window`'s top-level window the foreground window and gives `window` the focus.
void FocusWindow(HWND window);
// Presses and releases a key.
void TypeKey(WORD virtualKey);

// Clears the "pressed since the last query" bit of a key.
inline void ForgetKeyPresses(int virtualKey) {
    GetAsyncKeyState(virtualKey);
}

}  // namespace orvanta::test
