#include "framework/seams.h"

namespace orvanta {
namespace {

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return ::MessageBoxW(owner, text, caption, type);
}

UINT_PTR SetWindowTimer(HWND window, UINT_PTR id, UINT elapse) {
    return ::SetTimer(window, id, elapse, nullptr);
}

BOOL KillWindowTimer(HWND window, UINT_PTR id) {
    return ::KillTimer(window, id);
}

constexpr FrameworkSeamTable kRealCalls = {&ShowMessageBox, &SetWindowTimer, &KillWindowTimer};

FrameworkSeamTable seams = kRealCalls;

}  // namespace

FrameworkSeamTable& FrameworkSeams() {
    return seams;
}

void ResetFrameworkSeams() {
    seams = kRealCalls;
}

int ShowMessage(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return seams.messageBox(owner, text, caption, type);
}

}  // namespace orvanta
