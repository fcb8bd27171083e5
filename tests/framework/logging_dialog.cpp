#include "tests/framework/logging_dialog.h"

#include "tests/framework/test_dialog_ids.h"

namespace orvanta::test {

BEGIN_MESSAGE_MAP(LoggingChildDialog, CDialogEx)
ON_BN_CLICKED(IDCANCEL, OnBnClickedClear)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(LoggingDialog, CDialogEx)
ON_BN_CLICKED(IDC_GO_BUTTON, OnBnClickedGo)
ON_EN_CHANGE(IDC_SOURCE_EDIT, OnEnChangeSource)
ON_EN_CHANGE(IDC_MIRROR_EDIT, OnEnChangeMirror)
ON_NOTIFY(kProbeNotification, IDC_SOURCE_EDIT, OnNotifyProbe)
ON_WM_TIMER()
ON_WM_DROPFILES()
ON_WM_CTLCOLOR()
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

LoggingDialog::LoggingDialog(CWnd* parent) : CDialogEx(IDD_FRAMEWORK_TEST, parent), m_child(log) {}

void LoggingDialog::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE_EDIT, m_editSource);
    DDX_Control(pDX, IDC_MIRROR_EDIT, m_editMirror);
    DDX_Control(pDX, IDC_LABEL, m_staticLabel);
}

BOOL LoggingDialog::OnInitDialog() {
    CDialogEx::OnInitDialog();
    log.push_back("init");
    m_child.Create(IDD_FRAMEWORK_CHILD, this);
    m_child.MoveWindow(10, 80, 160, 60);
    return TRUE;
}

void LoggingDialog::OnCancel() {
    ++cancels;
    CDialogEx::OnCancel();
}

void LoggingDialog::OnBnClickedGo() {
    log.push_back("go:begin");
    m_editSource.SetWindowText("abc");
    log.push_back("go:end");
}

void LoggingDialog::OnEnChangeSource() {
    char text[16] = {};
    m_editSource.GetWindowText(text);
    log.push_back(std::string("source:") + text);
    m_editMirror.SetWindowText(text);
}

void LoggingDialog::OnEnChangeMirror() {
    char text[16] = {};
    m_editMirror.GetWindowText(text);
    log.push_back(std::string("mirror:") + text);
}

void LoggingDialog::OnNotifyProbe(NMHDR* header, LRESULT* result) {
    log.push_back("notify:" + std::to_string(header->idFrom));
    *result = 7;
}

void LoggingDialog::OnTimer(UINT_PTR id) {
    log.push_back("timer:" + std::to_string(id));
}

void LoggingDialog::OnDropFiles(HDROP drop) {
    log.push_back(drop == reinterpret_cast<HDROP>(0x1234) ? "drop" : "drop:other");
}

HBRUSH LoggingDialog::OnCtlColor(HDC dc, HWND control, UINT kind) {
    if (control == m_staticLabel.m_hWnd) {
        return labelBrush.GetSafeHandle();
    }
    return CDialogEx::OnCtlColor(dc, control, kind);
}

void LoggingDialog::OnSysCommand(UINT id, LPARAM lParam) {
    log.push_back("sys:" + std::to_string(id));
    CDialogEx::OnSysCommand(id, lParam);
}

HCURSOR LoggingDialog::OnQueryDragIcon() {
    return dragIcon;
}

}  // namespace orvanta::test
