#pragma once
// CAboutDlg: the About box (template 100), shown from the system menu.

#include "framework/dialog.h"

class CAboutDlg : public CDialogEx {
  public:
    CAboutDlg();

  protected:
    DECLARE_MESSAGE_MAP()
};
