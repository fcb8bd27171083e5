#include "tests/framework/window_test_support.h"

#include "framework/dialog.h"

namespace orvanta::test {
namespace {

void ProcessQueued(HWND stop) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ProcessMessage(&message, stop);
    }
}

}  // namespace

bool PumpUntil(HWND stop, const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ProcessQueued(stop);
    }
    return true;
}

void PumpFor(HWND stop, DWORD quietMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start <= quietMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        ProcessQueued(stop);
    }
}

void FocusWindow(HWND window) {
    const HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    SetActiveWindow(top);
    SetFocus(window);
    PumpFor(top, 50);
}

void TypeKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = virtualKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

}  // namespace orvanta::test
