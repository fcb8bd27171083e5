#include <windows.h>

#include "ui/orvanta_app.h"

namespace {
COrvantaApp theApp;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return CWinApp::Run();
}
