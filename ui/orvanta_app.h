#pragma once
// COrvantaApp: the application. InitInstance holds the module directory for the run and runs
// the main window modally; the program ends when it closes.

#include "framework/win_app.h"

class COrvantaApp : public CWinApp {
  public:
    BOOL InitInstance() override;
};
