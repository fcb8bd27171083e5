#pragma once
// COrvantaDlg: the main window (template 102). A banner across the top, the label of the page
// shown, the manual and exit buttons, and a tab control whose two pages, the CSV page and the
// text page, are child dialogs of the tab control; exactly one of them is shown.

#include <windows.h>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "ui/tab_csv_dlg.h"
#include "ui/tab_txt_dlg.h"

class COrvantaDlg : public CDialogEx {
  public:
    COrvantaDlg();

    HICON m_hIcon;
    CTabCtrl m_tabPages;
    TabCsvDlg m_pageCsv;
    TabTxtDlg m_pageText;
    CStatic m_staticPageKind;
    CStatic m_staticBanner;
    CStatic m_staticBannerArea;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTcnSelChangePages(NMHDR* header, LRESULT* result);
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);
    void OnBnClickedManual();
    void OnBnClickedExit();

    DECLARE_MESSAGE_MAP()

  private:
    void AppendAboutItem();
    void PlaceBanner();
    void PlacePages();
    void ShowPage(int index);
};
