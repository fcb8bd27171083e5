#include "framework/win_app.h"

#include <commctrl.h>

namespace {
CWinApp* application = nullptr;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) {
    application = this;
}

CWinApp::~CWinApp() {
    if (application == this) {
        application = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    RegisterCommonControls();
    return TRUE;
}

int CWinApp::Run() {
    if (application == nullptr || !application->InitInstance()) {
        return 0;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

CWinApp* AfxGetApp() {
    return application;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleA(nullptr);
}

void RegisterCommonControls() {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX),
                                          ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
}
