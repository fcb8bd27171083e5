#include "ui/cc_button.h"

namespace {

constexpr UINT kCaptionFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
constexpr int kFocusInset = 4;
constexpr int kCaptionBytes = 256;

void DrawCaption(HDC dc, const char* caption, RECT* frame, COLORREF colour) {
    const COLORREF previous = SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, caption, -1, frame, kCaptionFormat);
    SetTextColor(dc, previous);
}

}  // namespace

void CCButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    const UINT state = item.itemState;
    RECT frame;
    CopyRect(&frame, &item.rcItem);
    RECT focus = frame;
    InflateRect(&focus, -kFocusInset, -kFocusInset);

    char caption[kCaptionBytes] = {};
    GetWindowText(caption);

    const HBRUSH face = CreateSolidBrush(m_faceColor);
    FillRect(dc, &frame, face);
    DeleteObject(face);

    DrawCaption(dc, caption, &frame, m_textColor);
    DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);

    if (state & ODS_FOCUS) {
        if (state & ODS_SELECTED) {
            DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT);
        }
        DrawFocusRect(dc, &focus);
    } else if (state & ODS_DISABLED) {
        DrawCaption(dc, caption, &frame, m_disabledTextColor);
    }
}

namespace orvanta {

void SetUpCommandButton(CCButton& button, CDialogEx& page, UINT id, COLORREF faceColour) {
    button.SubclassDlgItem(id, &page);
    button.m_faceColor = faceColour;
    button.m_textColor = kWhite;
    button.RedrawWindow(RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

}  // namespace orvanta
