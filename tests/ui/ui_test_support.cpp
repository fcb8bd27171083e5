#include "tests/ui/ui_test_support.h"

#include "framework/win_app.h"
#include "res/resource.h"

namespace orvanta::test {

MainWindow::MainWindow() {
    RegisterCommonControls();
    dialog.Create(IDD_ORVANTA_DIALOG);
}

MainWindow::~MainWindow() {
    if (dialog.m_hWnd != nullptr) {
        DestroyWindow(dialog.m_hWnd);
    }
}

std::string AnsiText(HWND window) {
    char text[4097] = {};
    GetWindowTextA(window, text, static_cast<int>(sizeof text));
    return text;
}

std::wstring WideText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

}  // namespace orvanta::test
