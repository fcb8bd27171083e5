// The application's start-up: the module directory held for the run, the main window run
// modally, and the end of the program when it closes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/paths.h"
#include "framework/wnd.h"
#include "res/resource.h"
#include "tests/framework/window_test_support.h"
#include "ui/module_directory_store.h"
#include "ui/orvanta_app.h"

namespace orvanta::test {
namespace {

struct StartVisit {
    HWND mainWindow = nullptr;
    bool isApplicationsMainWindow = false;
    bool csvPageShown = false;
};
StartVisit startVisit;

void CALLBACK ExitFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND window = FindWindowW(L"#32770", L"Velkano_コマンドライン作成ウィザード");
    if (window == nullptr) {
        return;
    }
    KillTimer(nullptr, id);
    startVisit.mainWindow = window;
    startVisit.isApplicationsMainWindow = AfxGetApp()->m_pMainWnd->m_hWnd == window;
    const HWND tab = GetDlgItem(window, IDC_TAB_PAGES);
    startVisit.csvPageShown = IsWindowVisible(GetWindow(tab, GW_CHILD)) != FALSE;
    SendMessageA(GetDlgItem(window, IDC_BUTTON_EXIT), BM_CLICK, 0, 0);
}

TEST(OrvantaApp, RunsTheMainWindowModallyHoldsTheModuleDirectoryAndEnds) {
    HoldModuleDirectory("");
    startVisit = {};
    ForgetKeyPresses(VK_ESCAPE);
    COrvantaApp app;
    SetTimer(nullptr, 0, 20, &ExitFromTimer);

    EXPECT_FALSE(app.InitInstance());

    EXPECT_NE(startVisit.mainWindow, nullptr);
    EXPECT_TRUE(startVisit.isApplicationsMainWindow);
    EXPECT_TRUE(startVisit.csvPageShown);
    EXPECT_FALSE(IsWindow(startVisit.mainWindow));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    const std::string held = HeldModuleDirectory();
    EXPECT_EQ(held, ModuleDirectory());
    EXPECT_TRUE(held.ends_with('\\'));
}

TEST(ModuleDirectoryStore, KeepsAt259BytesWithoutSplittingACharacter) {
    HoldModuleDirectory(std::string(300, 'a'));
    EXPECT_EQ(std::string(HeldModuleDirectory()), std::string(259, 'a'));
    // A two-byte character (0x95 0x5C) that would straddle the bound is left out whole.
    HoldModuleDirectory(std::string(258, 'a') + "\x95\x5C" + "\\");
    EXPECT_EQ(std::string(HeldModuleDirectory()), std::string(258, 'a'));
}

}  // namespace
}  // namespace orvanta::test
