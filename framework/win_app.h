#pragma once
// CWinApp: the application object. A program defines exactly one static object of a class
// derived from it; WinMain calls CWinApp::Run, which calls the object's InitInstance.
// A dialog-based program runs its main dialog inside InitInstance and returns false, which
// ends the program without a message loop of the framework's own.

#include <windows.h>

class CWnd;

class CWinApp {
  public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Registers the common control classes (the tab control among them) and returns true.
    virtual BOOL InitInstance();

    // The entry from WinMain: InitInstance of the application object, then, when it returned
    // true, a message loop until WM_QUIT. Returns the process's exit status.
    static int Run();

    const char* m_pszAppName;
    // The window that dialogs without a parent are owned by.
    CWnd* m_pMainWnd = nullptr;
};

// The application object, or null when none exists.
CWinApp* AfxGetApp();
// The module whose resources the dialogs, icons and strings come from: the executable.
HINSTANCE AfxGetInstanceHandle();
// Registers the common control classes the dialogs use; done by CWinApp::InitInstance.
void RegisterCommonControls();
