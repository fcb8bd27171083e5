// The wizard's own dialog templates behind procedures that do nothing: the main window with
// both pages in its tab control and the CSV page shown. Timed beside Orvanta.exe, it shows
// how much of the start-up is the creation and first paint of the templates' controls, which
// no code of the program can take away.

#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK PageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

INT_PTR CALLBACK MainProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        const HWND tab = GetDlgItem(dialog, IDC_TAB_PAGES);
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        const HWND csvPage =
            CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TAB_CSV), tab, &PageProc, 0);
        CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_TAB_TXT), tab, &PageProc, 0);
        ShowWindow(csvPage, SW_SHOW);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX),
                                          ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ORVANTA_DIALOG), nullptr, &MainProc, 0));
}
