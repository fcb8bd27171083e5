#include "ui/orvanta_dlg.h"

#include "framework/brush.h"
#include "framework/win_app.h"
#include "platform/console_launch.h"
#include "res/resource.h"
#include "ui/about_dlg.h"
#include "ui/colours.h"
#include "ui/icon_placement.h"
#include "ui/keyboard_guard.h"

namespace {

CBrush mainWindowWhiteBrush(orvanta::kWhite);

// The About item's text is a resource string; this holds it with room to spare.
constexpr int kMenuTextBytes = 256;

// The banner keeps clear of the placeholder's right edge by this many pixels.
constexpr int kBannerRightMargin = 4;

// The pages sit above and left of the tab control's display area, so that they cover the
// area right below the tab buttons.
constexpr int kPageRaise = 55;
constexpr int kPageShiftLeft = 10;

constexpr int kCsvPageIndex = 0;
constexpr int kTextPageIndex = 1;

}  // namespace

BEGIN_MESSAGE_MAP(COrvantaDlg, CDialogEx)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_NOTIFY(TCN_SELCHANGE, IDC_TAB_PAGES, OnTcnSelChangePages)
ON_WM_CTLCOLOR()
ON_BN_CLICKED(IDC_BUTTON_MANUAL, OnBnClickedManual)
ON_BN_CLICKED(IDC_BUTTON_EXIT, OnBnClickedExit)
END_MESSAGE_MAP()

COrvantaDlg::COrvantaDlg()
    : CDialogEx(IDD_ORVANTA_DIALOG),
      m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

void COrvantaDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAB_PAGES, m_tabPages);
    DDX_Control(pDX, IDC_STATIC_PAGE_KIND, m_staticPageKind);
    DDX_Control(pDX, IDC_STATIC_BANNER, m_staticBanner);
    DDX_Control(pDX, IDC_STATIC_BANNER_AREA, m_staticBannerArea);
}

BOOL COrvantaDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    AppendAboutItem();
    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);
    PlaceBanner();

    m_tabPages.InsertItem(kCsvPageIndex, L"\u3000CSVファイルのソートコマンド作成\u3000");
    m_tabPages.InsertItem(kTextPageIndex, L"\u3000TEXTファイルのソートコマンド作成\u3000");

    m_pageCsv.Create(IDD_TAB_CSV, &m_tabPages);
    m_pageText.Create(IDD_TAB_TXT, &m_tabPages);
    PlacePages();
    ShowPage(kCsvPageIndex);
    return TRUE;
}

void COrvantaDlg::AppendAboutItem() {
    const HMENU systemMenu = GetSystemMenu(false);
    if (systemMenu == nullptr) {
        return;
    }
    char text[kMenuTextBytes] = {};
    if (LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, text, kMenuTextBytes) <= 0) {
        return;
    }
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, IDM_ABOUTBOX, text);
}

void COrvantaDlg::PlaceBanner() {
    RECT area;
    m_staticBannerArea.GetClientRect(&area);
    m_staticBanner.SetWindowPos(HWND_TOP, area.left, area.top, area.right - kBannerRightMargin,
                                area.bottom, SWP_SHOWWINDOW);
    m_staticBannerArea.ShowWindow(SW_HIDE);
}

void COrvantaDlg::PlacePages() {
    RECT page;
    m_tabPages.GetWindowRect(&page);
    ScreenToClient(&page);
    m_tabPages.AdjustRect(false, &page);
    page.top -= kPageRaise;
    page.left -= kPageShiftLeft;
    // Main-window client coordinates, applied unchanged inside the tab control.
    for (CDialogEx* pageWindow :
         {static_cast<CDialogEx*>(&m_pageCsv), static_cast<CDialogEx*>(&m_pageText)}) {
        pageWindow->MoveWindow(page.left, page.top, page.right - page.left, page.bottom - page.top,
                               true);
    }
}

void COrvantaDlg::ShowPage(int index) {
    if (index == kCsvPageIndex) {
        m_pageCsv.ShowWindow(SW_SHOW);
        m_pageText.ShowWindow(SW_HIDE);
        m_staticPageKind.SetWindowText(" CSV ");
    } else if (index == kTextPageIndex) {
        m_pageCsv.ShowWindow(SW_HIDE);
        m_pageText.ShowWindow(SW_SHOW);
        m_staticPageKind.SetWindowText(" TXT ");
    }
}

void COrvantaDlg::OnTcnSelChangePages(NMHDR*, LRESULT* result) {
    ShowPage(m_tabPages.GetCurSel());
    *result = 0;
}

void COrvantaDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialogEx::OnSysCommand(id, lParam);
    }
}

void COrvantaDlg::OnPaint() {
    if (!IsIconic()) {
        CDialogEx::OnPaint();
        return;
    }
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(&client);
    const POINT origin = orvanta::CentredIconOrigin(client, GetSystemMetrics(SM_CXICON),
                                                    GetSystemMetrics(SM_CYICON));
    DrawIcon(dc, origin.x, origin.y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR COrvantaDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

HBRUSH COrvantaDlg::OnCtlColor(HDC dc, HWND control, UINT kind) {
    SetBkMode(dc, TRANSPARENT);
    switch (kind) {
        case CTLCOLOR_DLG:
            return mainWindowWhiteBrush.GetSafeHandle();
        case CTLCOLOR_STATIC:
            SetTextColor(dc, orvanta::kDarkGreen);
            return mainWindowWhiteBrush.GetSafeHandle();
        default:
            return CDialogEx::OnCtlColor(dc, control, kind);
    }
}

void COrvantaDlg::OnBnClickedManual() {
    if (orvanta::PressedSinceLastQuery(VK_RETURN)) {
        return;
    }
    orvanta::OpenManual();
}

void COrvantaDlg::OnBnClickedExit() {
    if (orvanta::PressedSinceLastQuery(VK_ESCAPE)) {
        return;
    }
    OnCancel();
}
