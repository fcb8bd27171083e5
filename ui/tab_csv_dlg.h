#pragma once
// TabCsvDlg: the CSV page, a child dialog (template 104) on the main window's first tab.
// It composes commands for the CSV sorter; the controls hold its state.

#include <string>

#include "framework/controls.h"
#include "ui/page_colour_rule.h"
#include "ui/sort_page_dlg.h"

class TabCsvDlg : public SortPageDlg {
  public:
    TabCsvDlg();

    CEdit m_editDelimiterHex;
    CEdit m_editDelimiterChar;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);

    void OnBnClickedOrder();
    void OnBnClickedStringType();
    void OnBnClickedNumberType();

    // The delimiter entry: the two delimiter fields mirror each other and keep DelimiterByte.
    void OnEnChangeDelimiterHex();
    void OnEnChangeDelimiterChar();
    void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

  private:
    std::string PreviewValue(const orvanta::SortPageSettings& settings) const override;
    void ReadPageOptions(orvanta::SortPageSettings& settings) const override;
    void RefreshDelimiterPreviews();
    orvanta::PageControlRole RoleOf(HWND control) const override;
};
