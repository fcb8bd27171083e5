#pragma once
// Message maps: a static table per class of the messages its members handle.
//
// A class declares DECLARE_MESSAGE_MAP() and defines its table in its source file:
//
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialogEx)
//       ON_BN_CLICKED(IDC_GO, OnBnClickedGo)
//       ON_WM_CTLCOLOR()
//   END_MESSAGE_MAP()
//
// Each row expands to one entry (message, notification code, control id, thunk); the thunk
// unpacks the message's parameters and calls the member. Lookup runs through the class's own
// rows first, then through its base classes' tables.

#include <windows.h>

class CWnd;

// Stands for all seven WM_CTLCOLOR* messages in a table row; the handler gets the kind.
inline constexpr UINT kMessageCtlColorAny = 0x0019;

struct MessageMapEntry {
    UINT message;
    UINT code;  // notification code for WM_COMMAND and WM_NOTIFY rows
    UINT id;    // control id for WM_COMMAND and WM_NOTIFY rows
    LRESULT (*handler)(CWnd& target, UINT message, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;  // ends with an entry whose handler is null
};

#define DECLARE_MESSAGE_MAP()                     \
  protected:                                      \
    static const MessageMap* GetThisMessageMap(); \
    const MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const MessageMap* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const MessageMap* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                      \
    { 0, 0, 0, nullptr }                                                       \
    }                                                                          \
    ;                                                                          \
    static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
    return &map;                                                               \
    }

#define ON_CONTROL(notificationCode, id, memberFxn)                          \
    {WM_COMMAND, static_cast<UINT>(notificationCode), static_cast<UINT>(id), \
     [](CWnd& target, UINT, WPARAM, LPARAM) -> LRESULT {                     \
         static_cast<ThisClass&>(target).memberFxn();                        \
         return 0;                                                           \
     }},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
// Menu items, accelerators and the dialog manager's IDOK/IDCANCEL arrive with code 0.
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)

// memberFxn(NMHDR* header, LRESULT* result)
#define ON_NOTIFY(notificationCode, id, memberFxn)                                             \
    {WM_NOTIFY, static_cast<UINT>(notificationCode), static_cast<UINT>(id),                    \
     [](CWnd& target, UINT, WPARAM, LPARAM lParam) -> LRESULT {                                \
         LRESULT result = 0;                                                                   \
         static_cast<ThisClass&>(target).memberFxn(reinterpret_cast<NMHDR*>(lParam), &result); \
         return result;                                                                        \
     }},

// void OnTimer(UINT_PTR id)
#define ON_WM_TIMER()                                                            \
    {WM_TIMER, 0, 0, [](CWnd& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {  \
         static_cast<ThisClass&>(target).OnTimer(static_cast<UINT_PTR>(wParam)); \
         return 0;                                                               \
     }},

// void OnDropFiles(HDROP drop)
#define ON_WM_DROPFILES()                                                              \
    {WM_DROPFILES, 0, 0, [](CWnd& target, UINT, WPARAM wParam, LPARAM) -> LRESULT {    \
         static_cast<ThisClass&>(target).OnDropFiles(reinterpret_cast<HDROP>(wParam)); \
         return 0;                                                                     \
     }},

// HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind), kind being CTLCOLOR_EDIT, _STATIC, ...
#define ON_WM_CTLCOLOR()                                                              \
    {kMessageCtlColorAny, 0, 0,                                                       \
     [](CWnd& target, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {        \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass&>(target).OnCtlColor( \
             reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),           \
             message - WM_CTLCOLORMSGBOX));                                           \
     }},

// void OnSysCommand(UINT id, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                  \
    {WM_SYSCOMMAND, 0, 0, [](CWnd& target, UINT, WPARAM wParam, LPARAM lParam) -> LRESULT { \
         static_cast<ThisClass&>(target).OnSysCommand(static_cast<UINT>(wParam), lParam);   \
         return 0;                                                                          \
     }},

// void OnPaint()
#define ON_WM_PAINT()                                                    \
    {WM_PAINT, 0, 0, [](CWnd& target, UINT, WPARAM, LPARAM) -> LRESULT { \
         static_cast<ThisClass&>(target).OnPaint();                      \
         return 0;                                                       \
     }},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                 \
    {WM_QUERYDRAGICON, 0, 0, [](CWnd& target, UINT, WPARAM, LPARAM) -> LRESULT {              \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass&>(target).OnQueryDragIcon()); \
     }},
