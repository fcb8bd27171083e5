#pragma once
// Wrappers of the standard controls a dialog binds with DDX_Control. Each is a CWnd with the
// control's own messages as one-line calls.

#include <windows.h>
#include <commctrl.h>

#include "framework/wnd.h"

// A single-line edit control.
class CEdit : public CWnd {
  public:
    // The number of characters the user can type (EM_LIMITTEXT).
    void SetLimitText(UINT limit) { SendMessage(EM_LIMITTEXT, limit); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    void SetReadOnly(bool readOnly = true) { SendMessage(EM_SETREADONLY, readOnly); }
};

// A push button, radio button or check box. Owner-drawn buttons derive from it and draw in
// DrawItem, which the parent dialog reflects to the attached object.
class CButton : public CWnd {
  public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    // BM_SETCHECK: raises no notification.
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

    // Draws an owner-drawn button. Buttons of the plain styles are drawn by the system and
    // never ask; a class attached to a BS_OWNERDRAW button overrides this.
    virtual void DrawItem(const DRAWITEMSTRUCT& item);

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

// A static text or picture control.
class CStatic : public CWnd {};

// A tab control. Item texts are UTF-16, so that they need no code page.
class CTabCtrl : public CWnd {
  public:
    int InsertItem(int index, const wchar_t* text) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(text);
        return static_cast<int>(::SendMessageW(m_hWnd, TCM_INSERTITEMW, static_cast<WPARAM>(index),
                                               reinterpret_cast<LPARAM>(&item)));
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index)));
    }
    // larger = false: from a window rectangle to the display area; true: the other way.
    void AdjustRect(bool larger, RECT* rect) const {
        SendMessage(TCM_ADJUSTRECT, larger, reinterpret_cast<LPARAM>(rect));
    }
};
