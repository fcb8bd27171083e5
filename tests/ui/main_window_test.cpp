// The main window on a real window: start state, page switching, system menu, keyboard
// guards and its colour rule.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform_seams.h"
#include "res/resource.h"
#include "tests/framework/window_test_support.h"
#include "tests/ui/ui_test_support.h"
#include "ui/colours.h"
#include "ui/icon_placement.h"

namespace orvanta::test {
namespace {

RECT WindowRectIn(HWND window, HWND reference) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring TabText(HWND tab, int index) {
    wchar_t text[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

class MainWindowTest : public ::testing::Test {
  protected:
    void TearDown() override { ResetPlatformSeams(); }

    HWND Item(int id) const { return GetDlgItem(main.window(), id); }
    HWND Tab() const { return Item(IDC_TAB_PAGES); }
    void SelectTab(int index) {
        SendMessageA(Tab(), TCM_SETCURSEL, index, 0);
        NMHDR header = {Tab(), IDC_TAB_PAGES, static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageA(main.window(), WM_NOTIFY, IDC_TAB_PAGES, reinterpret_cast<LPARAM>(&header));
    }

    MainWindow main;
};

TEST_F(MainWindowTest, StartsOnTheCsvPageWithBothTabsAndTheBannerInPlace) {
    ASSERT_NE(main.window(), nullptr);
    EXPECT_EQ(SendMessageA(Tab(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TabText(Tab(), 0), L"\u3000CSVファイルのソートコマンド作成\u3000");
    EXPECT_EQ(TabText(Tab(), 1), L"\u3000TEXTファイルのソートコマンド作成\u3000");
    EXPECT_EQ(SendMessageA(Tab(), TCM_GETCURSEL, 0, 0), 0);

    EXPECT_EQ(GetParent(main.csvPage()), Tab());
    EXPECT_EQ(GetParent(main.textPage()), Tab());
    EXPECT_TRUE(IsWindowVisible(main.csvPage()));
    EXPECT_FALSE(IsWindowVisible(main.textPage()));
    EXPECT_EQ(AnsiText(Item(IDC_STATIC_PAGE_KIND)), " CSV ");

    RECT area;
    GetClientRect(Item(IDC_STATIC_BANNER_AREA), &area);
    const RECT banner = WindowRectIn(Item(IDC_STATIC_BANNER), main.window());
    EXPECT_EQ(banner.left, 0);
    EXPECT_EQ(banner.top, 0);
    EXPECT_EQ(banner.right, area.right - 4);
    EXPECT_EQ(banner.bottom, area.bottom);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_STATIC_BANNER)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_STATIC_BANNER_AREA)));
    EXPECT_EQ(GetWindow(main.window(), GW_CHILD), Item(IDC_STATIC_BANNER));
}

TEST_F(MainWindowTest, PagesCoverTheDisplayAreaRaisedAndWidenedInsideTheTabControl) {
    RECT display = WindowRectIn(Tab(), main.window());
    SendMessageA(Tab(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : {main.csvPage(), main.textPage()}) {
        const RECT placed = WindowRectIn(page, Tab());
        EXPECT_EQ(placed.left, display.left - 10);
        EXPECT_EQ(placed.top, display.top - 55);
        EXPECT_EQ(placed.right, display.right);
        EXPECT_EQ(placed.bottom, display.bottom);
    }
}

TEST_F(MainWindowTest, IconsAndAboutItemAreSetUp) {
    const HICON icon = main.dialog.m_hIcon;
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(SendMessageA(main.window(), WM_GETICON, ICON_BIG, 0),
              reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(main.window(), WM_GETICON, ICON_SMALL, 0),
              reinterpret_cast<LRESULT>(icon));
    EXPECT_EQ(SendMessageA(main.window(), WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(icon));

    const HMENU menu = GetSystemMenu(main.window(), FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t text[64] = {};
    GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_STREQ(text, L"Orvantaについて(&A)...");
    MENUITEMINFOW separator = {};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, count - 2, TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

TEST_F(MainWindowTest, SwitchingPagesKeepsWhatWasTyped) {
    SetWindowTextA(GetDlgItem(main.csvPage(), IDC_EDIT_INPUT), "C:\\data\\in.csv");
    SetWindowTextA(GetDlgItem(main.csvPage(), IDC_EDIT_MEMORY), "512");

    SelectTab(1);
    EXPECT_FALSE(IsWindowVisible(main.csvPage()));
    EXPECT_TRUE(IsWindowVisible(main.textPage()));
    EXPECT_EQ(AnsiText(Item(IDC_STATIC_PAGE_KIND)), " TXT ");
    SetWindowTextA(GetDlgItem(main.textPage(), IDC_EDIT_KEY_LENGTH), "12");

    SelectTab(0);
    EXPECT_TRUE(IsWindowVisible(main.csvPage()));
    EXPECT_FALSE(IsWindowVisible(main.textPage()));
    EXPECT_EQ(AnsiText(Item(IDC_STATIC_PAGE_KIND)), " CSV ");
    EXPECT_EQ(AnsiText(GetDlgItem(main.csvPage(), IDC_EDIT_INPUT)), "C:\\data\\in.csv");
    EXPECT_EQ(AnsiText(GetDlgItem(main.csvPage(), IDC_EDIT_MEMORY)), "512");
    EXPECT_EQ(AnsiText(GetDlgItem(main.textPage(), IDC_EDIT_KEY_LENGTH)), "12");
}

// What the thread timer found while the About box ran.
struct AboutVisit {
    HWND about = nullptr;
    std::wstring title;
    bool hasOkButton = false;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};
AboutVisit aboutVisit;

void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND about = FindWindowW(L"#32770", L"Orvanta について");
    if (about == nullptr) {
        return;
    }
    KillTimer(nullptr, id);
    aboutVisit.about = about;
    aboutVisit.title = WideText(about);
    aboutVisit.hasOkButton = GetDlgItem(about, IDOK) != nullptr;
    aboutVisit.owner = GetWindow(about, GW_OWNER);
    aboutVisit.ownerEnabled = aboutVisit.owner != nullptr && IsWindowEnabled(aboutVisit.owner);
    SendMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
}

TEST_F(MainWindowTest, AboutCommandWithLowBitsSetShowsTheAboutBox) {
    aboutVisit = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &CloseAboutBox);
    // Returns once the About box has been closed from the timer.
    SendMessageA(main.window(), WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    KillTimer(nullptr, timer);

    EXPECT_NE(aboutVisit.about, nullptr);
    EXPECT_EQ(aboutVisit.title, L"Orvanta について");
    EXPECT_TRUE(aboutVisit.hasOkButton);
    // Modal to the main window.
    EXPECT_EQ(aboutVisit.owner, main.window());
    EXPECT_FALSE(aboutVisit.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.window()));
    EXPECT_FALSE(IsWindow(aboutVisit.about));
    EXPECT_EQ(main.dialog.cancels, 0);
}

TEST_F(MainWindowTest, CloseFromTheSystemMenuIsTheCancelCommand) {
    ForgetKeyPresses(VK_ESCAPE);
    SendMessageA(main.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(PumpUntil(main.window(), [&] { return main.dialog.cancels == 1; }));
}

TEST_F(MainWindowTest, EscapeKeyNeverClosesButTheExitButtonDoes) {
    ForgetKeyPresses(VK_ESCAPE);
    FocusWindow(Item(IDC_BUTTON_MANUAL));
    TypeKey(VK_ESCAPE);
    PumpFor(main.window(), 300);
    EXPECT_EQ(main.dialog.cancels, 0);

    // The guard's query took the key press, so a click now passes it.
    SendMessageA(Item(IDC_BUTTON_EXIT), BM_CLICK, 0, 0);
    EXPECT_EQ(main.dialog.cancels, 1);
}

std::vector<std::string> launchedLines;

DWORD CaptureLaunch(const char*, char* commandLine, BOOL, DWORD, STARTUPINFOA*) {
    launchedLines.push_back(commandLine);
    return 0;
}

TEST_F(MainWindowTest, EnterKeyNeverOpensTheManualButTheButtonDoes) {
    launchedLines.clear();
    PlatformSeams().launch = &CaptureLaunch;
    ForgetKeyPresses(VK_RETURN);
    FocusWindow(Item(IDC_BUTTON_MANUAL));
    TypeKey(VK_RETURN);
    PumpFor(main.window(), 300);
    EXPECT_TRUE(launchedLines.empty());

    SendMessageA(Item(IDC_BUTTON_MANUAL), BM_CLICK, 0, 0);
    ASSERT_EQ(launchedLines.size(), 1u);
    EXPECT_EQ(launchedLines[0].rfind("C:\\Windows\\System32\\cmd.exe /c start \"\" \"", 0), 0u);
    EXPECT_TRUE(launchedLines[0].ends_with("Velkano.pdf\""));
}

TEST_F(MainWindowTest, EnterOnTheExitButtonCloses) {
    ForgetKeyPresses(VK_ESCAPE);
    ForgetKeyPresses(VK_RETURN);
    // Tab moves the focus, and with it the default button, from "CMD\n仕様" to "終了".
    FocusWindow(Item(IDC_BUTTON_MANUAL));
    TypeKey(VK_TAB);
    ASSERT_TRUE(PumpUntil(main.window(), [&] { return GetFocus() == Item(IDC_BUTTON_EXIT); }));
    TypeKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil(main.window(), [&] { return main.dialog.cancels == 1; }));
}

struct ColourAnswer {
    HBRUSH brush;
    COLORREF text;
    int backgroundMode;
};

ColourAnswer AskColour(HWND dialog, UINT message, HWND control) {
    const HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(9, 9, 9));
    SetBkMode(dc, OPAQUE);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    const ColourAnswer answer = {brush, GetTextColor(dc), GetBkMode(dc)};
    DeleteDC(dc);
    return answer;
}

COLORREF BrushColour(HBRUSH brush) {
    LOGBRUSH logical = {};
    GetObjectA(brush, sizeof logical, &logical);
    return logical.lbColor;
}

TEST_F(MainWindowTest, ColourRuleIsDarkGreenOnWhiteForStaticsAndTheDefaultForButtons) {
    const ColourAnswer label =
        AskColour(main.window(), WM_CTLCOLORSTATIC, Item(IDC_STATIC_PAGE_KIND));
    EXPECT_EQ(label.text, kDarkGreen);
    EXPECT_EQ(BrushColour(label.brush), kWhite);
    EXPECT_EQ(label.backgroundMode, TRANSPARENT);

    const ColourAnswer background = AskColour(main.window(), WM_CTLCOLORDLG, main.window());
    EXPECT_EQ(background.text, RGB(9, 9, 9));
    EXPECT_EQ(background.brush, label.brush);  // one brush for the run
    EXPECT_EQ(background.backgroundMode, TRANSPARENT);

    const ColourAnswer button = AskColour(main.window(), WM_CTLCOLORBTN, Item(IDC_BUTTON_EXIT));
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto platformDefault = reinterpret_cast<HBRUSH>(
        DefWindowProcA(main.window(), WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(Item(IDC_BUTTON_EXIT))));
    DeleteDC(dc);
    EXPECT_EQ(button.brush, platformDefault);
    EXPECT_EQ(button.backgroundMode, TRANSPARENT);
}

TEST(IconPlacement, CentresWithOffsetsTruncatedTowardZero) {
    struct Case {
        RECT client;
        LONG x, y;
    };
    for (const Case& c : {Case{{0, 0, 100, 50}, 34, 9}, Case{{0, 0, 33, 32}, 1, 0},
                          Case{{0, 0, 0, 0}, -15, -15}, Case{{0, 0, 20, 1}, -5, -15}}) {
        const POINT origin = CentredIconOrigin(c.client, 32, 32);
        EXPECT_EQ(origin.x, c.x) << c.client.right;
        EXPECT_EQ(origin.y, c.y) << c.client.bottom;
    }
}

}  // namespace
}  // namespace orvanta::test
