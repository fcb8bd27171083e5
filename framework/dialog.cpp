#include "framework/dialog.h"

#include "framework/win_app.h"

namespace {

// Messages whose answer the dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

}  // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd == nullptr) {
        control.SubclassWindow(pDX->m_pDlgWnd->GetDlgItem(id));
    }
}

BEGIN_MESSAGE_MAP(CDialogEx, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialogEx::CDialogEx(UINT templateId, CWnd* parent)
    : m_templateId(templateId), m_pParentWnd(parent) {}

CDialogEx::~CDialogEx() {
    if (m_hWnd != nullptr) {
        const HWND window = m_hWnd;
        DetachHandle();
        DestroyWindow(window);
    }
}

BOOL CDialogEx::Create(UINT templateId, CWnd* parent) {
    m_templateId = templateId;
    m_pParentWnd = parent;
    CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(templateId),
                       parent != nullptr ? parent->m_hWnd : nullptr, &DialogProc,
                       reinterpret_cast<LPARAM>(this));
    return m_hWnd != nullptr;
}

HWND CDialogEx::ModalOwner() const {
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr) {
        owner = m_pParentWnd->m_hWnd;
    } else if (AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd != nullptr &&
               AfxGetApp()->m_pMainWnd != this) {
        owner = AfxGetApp()->m_pMainWnd->m_hWnd;
    } else {
        owner = GetActiveWindow();
    }
    return owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialogEx::DoModal() {
    const HWND owner = ModalOwner();
    m_modalResult = -1;
    CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_templateId), owner, &DialogProc,
                       reinterpret_cast<LPARAM>(this));
    if (m_hWnd == nullptr) {
        return -1;
    }
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    if (!IsWindowVisible()) {
        ShowWindow(SW_SHOW);
    }
    m_modalRunning = true;
    MSG message;
    while (m_modalRunning && m_hWnd != nullptr) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the loop outside this one.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) {
            break;
        }
        orvanta::ProcessMessage(&message, m_hWnd);
    }
    m_modalRunning = false;
    // The owner is enabled again before this window goes, so that it gets the activation back.
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    if (m_hWnd != nullptr) {
        const HWND window = m_hWnd;
        DestroyWindow(window);
    }
    return m_modalResult;
}

void CDialogEx::EndDialog(int result) {
    if (!m_modalRunning) {
        return;
    }
    m_modalResult = result;
    m_modalRunning = false;
    // Wakes the loop when it waits for a message.
    PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialogEx::OnInitDialog() {
    CDataExchange exchange(this);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialogEx::DoDataExchange(CDataExchange*) {}

void CDialogEx::OnOK() {
    EndDialog(IDOK);
}

void CDialogEx::OnCancel() {
    EndDialog(IDCANCEL);
}

bool CDialogEx::PreTranslateMessage(MSG* message) {
    return IsDialogMessageA(m_hWnd, message) != FALSE;
}

INT_PTR CALLBACK CDialogEx::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialogEx*>(lParam);
        dialog->AttachHandle(window);
        return dialog->OnInitDialog();
    }
    // Messages before WM_INITDIALOG (WM_SETFONT, ...) find no object and get the defaults.
    auto* dialog = static_cast<CDialogEx*>(FromHandlePermanent(window));
    if (dialog == nullptr) {
        return FALSE;
    }
    if (message == WM_NCDESTROY) {
        dialog->DetachHandle();
        return FALSE;
    }
    LRESULT result = 0;
    if (!dialog->OnWndMsg(message, wParam, lParam, &result)) {
        return FALSE;
    }
    if (AnswersDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

namespace orvanta {

bool PreTranslateInput(MSG* message, HWND stop) {
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST) {
        return false;
    }
    for (HWND window = message->hwnd; window != nullptr; window = ::GetParent(window)) {
        CWnd* object = CWnd::FromHandlePermanent(window);
        if (object != nullptr && object->PreTranslateMessage(message)) {
            return true;
        }
        if (window == stop || (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) {
            break;
        }
    }
    return false;
}

void ProcessMessage(MSG* message, HWND stop) {
    if (!PreTranslateInput(message, stop)) {
        TranslateMessage(message);
        DispatchMessageA(message);
    }
}

}  // namespace orvanta
