#pragma once
// The main window as the ui suite creates it: modeless, so that a test drives it with
// messages and reads its controls back.

#include <windows.h>

#include <string>

#include "ui/orvanta_dlg.h"

namespace orvanta::test {

// Counts the cancel command instead of ending a modal loop.
class TestOrvantaDlg : public COrvantaDlg {
  public:
    void OnCancel() override { ++cancels; }
    int cancels = 0;
};

// Creates the main window (and with it both pages) and destroys it at the end.
class MainWindow {
  public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    TestOrvantaDlg dialog;
    HWND window() const { return dialog.m_hWnd; }
    HWND csvPage() const { return dialog.m_pageCsv.m_hWnd; }
    HWND textPage() const { return dialog.m_pageText.m_hWnd; }
};

// A window's text read with the ANSI call (code page 932 bytes) or the wide one.
std::string AnsiText(HWND window);
std::wstring WideText(HWND window);

}  // namespace orvanta::test
