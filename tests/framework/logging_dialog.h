#pragma once
// A dialog whose handlers write what they were called with into a log, with a child dialog
// inside it; the framework suite drives it through real messages.

#include <windows.h>

#include <string>
#include <vector>

#include "framework/brush.h"
#include "framework/controls.h"
#include "framework/dialog.h"

namespace orvanta::test {

using Log = std::vector<std::string>;

class LoggingChildDialog : public CDialogEx {
  public:
    explicit LoggingChildDialog(Log& log) : CDialogEx(0), log_(log) {}

  protected:
    void OnBnClickedClear() { log_.push_back("child:cancel"); }
    DECLARE_MESSAGE_MAP()

  private:
    Log& log_;
};

class LoggingDialog : public CDialogEx {
  public:
    explicit LoggingDialog(CWnd* parent = nullptr);

    Log log;  // before m_child, which writes into it

    CEdit m_editSource;
    CEdit m_editMirror;
    CStatic m_staticLabel;
    LoggingChildDialog m_child;

    int cancels = 0;
    CBrush labelBrush{RGB(1, 2, 3)};
    HCURSOR dragIcon = LoadCursor(nullptr, IDC_ARROW);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    void OnBnClickedGo();
    void OnEnChangeSource();
    void OnEnChangeMirror();
    void OnNotifyProbe(NMHDR* header, LRESULT* result);
    void OnTimer(UINT_PTR id);
    void OnDropFiles(HDROP drop);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnSysCommand(UINT id, LPARAM lParam);
    HCURSOR OnQueryDragIcon();
    DECLARE_MESSAGE_MAP()
};

// The notification code that LoggingDialog maps for its source edit.
inline constexpr UINT kProbeNotification = 0x7F00;

}  // namespace orvanta::test
