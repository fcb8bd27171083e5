// CCButton drawn into a bitmap: face, caption, edges and focus rectangle per state; and the
// pages' attached buttons painting through the reflected owner-draw request.
#include <windows.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/ui/ui_test_support.h"
#include "ui/cc_button.h"
#include "ui/colours.h"

namespace orvanta::test {
namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 40;
constexpr COLORREF kCaption = RGB(255, 0, 0);
constexpr COLORREF kDisabledCaption = RGB(0, 0, 255);

// A 32-bit top-down bitmap selected into a memory DC, with a crisp font for the caption.
class Canvas {
  public:
    Canvas() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        SelectObject(dc_, bitmap_);
        font_ = CreateFontA(24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                            NONANTIALIASED_QUALITY, 0, "Arial");
        SelectObject(dc_, font_);
    }
    ~Canvas() {
        DeleteDC(dc_);
        DeleteObject(bitmap_);
        DeleteObject(font_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        const DWORD pixel = bits_[y * kWidth + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }
    int Count(COLORREF colour) const {
        int count = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                count += At(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HFONT font_;
    DWORD* bits_ = nullptr;
};

struct DrawCase {
    const char* name;
    UINT state;
    bool sunken;
    bool focusRectangle;
    COLORREF captionSeen;
};

void PrintTo(const DrawCase& c, std::ostream* out) {
    *out << c.name;
}

class CCButtonDrawTest : public ::testing::TestWithParam<DrawCase> {
  protected:
    void SetUp() override {
        host_ = CreateWindowExA(0, "STATIC", "host", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                nullptr, nullptr);
        const HWND window = CreateWindowExA(0, "BUTTON", "WWW", WS_CHILD | BS_OWNERDRAW, 0, 0,
                                            kWidth, kHeight, host_, nullptr, nullptr, nullptr);
        ASSERT_TRUE(button.SubclassWindow(window));
        button.m_faceColor = kDarkGreen;
        button.m_textColor = kCaption;
        button.m_disabledTextColor = kDisabledCaption;
    }
    void TearDown() override { DestroyWindow(host_); }

    void Draw(UINT state) {
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = button.m_hWnd;
        item.hDC = canvas.dc();
        item.rcItem = {0, 0, kWidth, kHeight};
        button.DrawItem(item);
    }

    CCButton button;
    Canvas canvas;

  private:
    HWND host_ = nullptr;
};

TEST_P(CCButtonDrawTest, DrawsFaceCaptionEdgesAndFocusByState) {
    const DrawCase& c = GetParam();
    Draw(c.state);

    // Between the edge and the focus rectangle lies plain face.
    EXPECT_EQ(canvas.At(kWidth / 2, 3), kDarkGreen);
    EXPECT_EQ(canvas.At(kWidth - 4, kHeight / 2), kDarkGreen);

    // The outer top-left line of a raised edge is the light 3-D colour, of a sunken one the
    // shadow colour.
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(c.sunken ? COLOR_BTNSHADOW : COLOR_3DLIGHT));

    int changedOnFocusLine = 0;
    for (int x = 4; x < kWidth - 4; ++x) {
        changedOnFocusLine += canvas.At(x, 4) != kDarkGreen ? 1 : 0;
    }
    EXPECT_EQ(changedOnFocusLine > 0, c.focusRectangle);

    const COLORREF captionHidden = c.captionSeen == kCaption ? kDisabledCaption : kCaption;
    EXPECT_GT(canvas.Count(c.captionSeen), 20);
    EXPECT_EQ(canvas.Count(captionHidden), 0);
}

INSTANTIATE_TEST_SUITE_P(
    States, CCButtonDrawTest,
    ::testing::Values(DrawCase{"Normal", 0, false, false, kCaption},
                      DrawCase{"PressedWithoutFocus", ODS_SELECTED, false, false, kCaption},
                      DrawCase{"Focused", ODS_FOCUS, false, true, kCaption},
                      DrawCase{"FocusedAndPressed", ODS_FOCUS | ODS_SELECTED, true, true, kCaption},
                      DrawCase{"Disabled", ODS_DISABLED, false, false, kDisabledCaption},
                      DrawCase{"DisabledWithFocus", ODS_DISABLED | ODS_FOCUS, false, true,
                               kCaption}),
    [](const ::testing::TestParamInfo<DrawCase>& info) { return info.param.name; });

TEST(CCButton, StartsBlackOnButtonGreyWithWhiteDisabledCaption) {
    const CCButton button;
    EXPECT_EQ(button.m_textColor, kBlack);
    EXPECT_EQ(button.m_faceColor, kButtonGrey);
    EXPECT_EQ(button.m_disabledTextColor, kWhite);
}

// The button's own painting, into a bitmap: the face colour just inside the edge.
COLORREF PaintedFace(HWND button) {
    RECT client;
    GetClientRect(button, &client);
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF colour = GetPixel(dc, client.right / 2, 3);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return colour;
}

TEST(PageCommandButtons, PaintInTheirFacesOnBothPages) {
    MainWindow main;
    for (HWND page : {main.csvPage(), main.textPage()}) {
        EXPECT_EQ(PaintedFace(GetDlgItem(page, IDC_BUTTON_ADD_KEY)), kDarkGreen);
        EXPECT_EQ(PaintedFace(GetDlgItem(page, IDC_BUTTON_EXECUTE)), kNavy);
    }
}

}  // namespace
}  // namespace orvanta::test
