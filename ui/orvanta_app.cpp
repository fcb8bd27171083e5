#include "ui/orvanta_app.h"

#include "core/paths.h"
#include "ui/module_directory_store.h"
#include "ui/orvanta_dlg.h"

BOOL COrvantaApp::InitInstance() {
    CWinApp::InitInstance();
    orvanta::HoldModuleDirectory(orvanta::ModuleDirectory());

    COrvantaDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of the framework's own: the program ends here.
    return FALSE;
}
