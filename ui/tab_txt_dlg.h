#pragma once
// TabTxtDlg: the text page, a child dialog (template 105) on the main window's second tab.
// It composes commands for the fixed-length text sorter; the controls hold its state.

#include <string>

#include "framework/controls.h"
#include "ui/page_colour_rule.h"
#include "ui/sort_page_dlg.h"

class TabTxtDlg : public SortPageDlg {
  public:
    TabTxtDlg();

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);

    // No attribute changes the key length on this page: a radio only recomposes the key.
    void OnBnClickedKeyRadio();

    DECLARE_MESSAGE_MAP()

  private:
    std::string PreviewValue(const orvanta::SortPageSettings& settings) const override;
};
