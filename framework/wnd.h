#pragma once
// CWnd: holds one window handle and wraps the calls made on it, one line each.
//
// A CWnd is either attached to a window it did not create (SubclassWindow, SubclassDlgItem,
// DDX_Control) or owns a dialog (CDialogEx). While attached, FromHandlePermanent finds the
// object from its handle; the object lets go of the handle when the window is destroyed.
// Texts are ANSI (code page 932 under the Japanese locale); reads always name the buffer size.

#include <windows.h>

#include <cstddef>

#include "framework/message_map.h"

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // Attaches this object to an existing window and follows the window's destruction.
    bool SubclassWindow(HWND window);
    // The same for the child `id` of `parent`.
    bool SubclassDlgItem(UINT id, CWnd* parent);
    // Lets go of the window without destroying it.
    HWND UnsubclassWindow();

    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }

    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
    // Copies at most size - 1 bytes and a terminator; returns the bytes copied.
    int GetWindowText(char* buffer, int size) const {
        return ::GetWindowTextA(m_hWnd, buffer, size);
    }
    template <std::size_t Size>
    int GetWindowText(char (&buffer)[Size]) const {
        return GetWindowText(buffer, static_cast<int>(Size));
    }

    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    BOOL EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags) {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void ScreenToClient(RECT* rect) const {
        ::MapWindowPoints(HWND_DESKTOP, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
    }
    BOOL RedrawWindow(UINT flags, const RECT* update = nullptr, HRGN region = nullptr) {
        return ::RedrawWindow(m_hWnd, update, region, flags);
    }
    HMENU GetSystemMenu(bool revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HICON SetIcon(HICON icon, bool big) {
        return reinterpret_cast<HICON>(
            SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }

    // Timers go through the framework's seam, so tests can hold them.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);
    // A message box owned by this window, through the framework's seam.
    int MessageBox(const wchar_t* text, const wchar_t* caption, UINT type);

    // Keyboard messages of the modal loop pass here first, from the focused window up to the
    // dialog; true when the message was handled and must not be dispatched.
    virtual bool PreTranslateMessage(MSG* message);

    // A notification that the parent reflects to the child it concerns (WM_DRAWITEM);
    // true when the child handled it.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Default handlers of the map macros: they leave the message to the window's default
    // processing.
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);

  protected:
    // Runs the message map for a message; false when no row handles it or the handler asked
    // for the default processing.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Asks, from inside a handler, that the message goes on to the default processing.
    void Default();

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const;

    void AttachHandle(HWND window);
    void DetachHandle();

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_superProc = nullptr;
    bool* m_defaultRequested = nullptr;
};
