#pragma once
// TabTxtDlg: the text page, a child dialog (template 105) on the main window's second tab.
// It composes commands for the fixed-length text sorter; the controls hold its state.

#include "framework/controls.h"
#include "framework/dialog.h"
#include "ui/page_colour_rule.h"

class TabTxtDlg : public CDialogEx {
  public:
    TabTxtDlg();

    CEdit m_editInput;
    CEdit m_editOutput;
    CButton m_radioAscending;
    CButton m_radioDescending;
    CButton m_radioString;
    CButton m_radioNumber;
    CButton m_radioCommaNumber;
    CEdit m_editCommandLine;
    CButton m_radioShiftJis;
    CButton m_radioUtf16Le;
    CButton m_radioCaseSensitive;
    CButton m_radioIgnoreCase;
    CEdit m_editKeyPosition;
    CEdit m_editKeyLength;
    CEdit m_editValuePreview;
    CEdit m_editKeyDefinition;
    CEdit m_editMemory;
    CEdit m_editWorkFolder;
    CStatic m_staticKeyLength;
    CEdit m_editRecordInfo;
    CButton m_radioUtf8;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);

    DECLARE_MESSAGE_MAP()

  private:
    orvanta::PageControlRole RoleOf(HWND control) const;
};
