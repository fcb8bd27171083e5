// The baseline of the start-up benchmark: a trivial modal dialog from a template. Started with
// "--no-window" it ends at once, which times the process start alone.

#include <windows.h>

#include <cstring>

#include "bare_dialog_ids.h"

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (std::strstr(commandLine, "--no-window") != nullptr) {
        return 0;
    }
    return static_cast<int>(
        DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_BARE_DIALOG), nullptr, &BareDialogProc, 0));
}
