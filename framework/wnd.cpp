#include "framework/wnd.h"

#include <unordered_map>

#include "framework/seams.h"

namespace {

// Leads from a handle to its attached object. Every message of an attached window looks its
// object up, so the table lives in the process: a window property would cost a round trip to
// the window server (under Wine, to wineserver) on each of them. All windows of the program
// belong to its one user-interface thread.
std::unordered_map<HWND, CWnd*>& AttachedObjects() {
    static std::unordered_map<HWND, CWnd*> objects;
    return objects;
}

constexpr MessageMapEntry kNoEntries[] = {{0, 0, 0, nullptr}};

// Whether a table row is meant for this message.
bool Matches(const MessageMapEntry& entry, UINT message, WPARAM wParam, LPARAM lParam) {
    if (entry.message == kMessageCtlColorAny) {
        return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
    }
    if (entry.message != message) {
        return false;
    }
    if (message == WM_COMMAND) {
        return entry.code == HIWORD(wParam) && entry.id == LOWORD(wParam);
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return entry.code == header->code && entry.id == header->idFrom;
    }
    return true;
}

const MessageMapEntry* FindEntry(const MessageMap* map, UINT message, WPARAM wParam,
                                 LPARAM lParam) {
    for (; map != nullptr; map = map->base != nullptr ? map->base() : nullptr) {
        for (const MessageMapEntry* entry = map->entries; entry->handler != nullptr; ++entry) {
            if (Matches(*entry, message, wParam, lParam)) {
                return entry;
            }
        }
    }
    return nullptr;
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        UnsubclassWindow();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    const auto found = AttachedObjects().find(window);
    return found != AttachedObjects().end() ? found->second : nullptr;
}

void CWnd::AttachHandle(HWND window) {
    m_hWnd = window;
    AttachedObjects()[window] = this;
}

void CWnd::DetachHandle() {
    AttachedObjects().erase(m_hWnd);
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND window) {
    if (window == nullptr || m_hWnd != nullptr || FromHandlePermanent(window) != nullptr) {
        return false;
    }
    AttachHandle(window);
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(parent->GetDlgItem(static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    const HWND window = m_hWnd;
    if (m_superProc != nullptr) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
        m_superProc = nullptr;
    }
    DetachHandle();
    return window;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* object = FromHandlePermanent(window);
    if (object == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    const WNDPROC super = object->m_superProc;
    if (message == WM_NCDESTROY) {
        object->UnsubclassWindow();
    }
    return CallWindowProcA(super, window, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse) {
    return orvanta::FrameworkSeams().setTimer(m_hWnd, id, elapse);
}

BOOL CWnd::KillTimer(UINT_PTR id) {
    return orvanta::FrameworkSeams().killTimer(m_hWnd, id);
}

int CWnd::MessageBox(const wchar_t* text, const wchar_t* caption, UINT type) {
    return orvanta::ShowMessage(m_hWnd, text, caption, type);
}

bool CWnd::PreTranslateMessage(MSG*) {
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return false;
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnPaint() {
    Default();
}

HBRUSH CWnd::OnCtlColor(HDC, HWND, UINT) {
    Default();
    return nullptr;
}

void CWnd::Default() {
    if (m_defaultRequested != nullptr) {
        *m_defaultRequested = true;
    }
}

const MessageMap* CWnd::GetThisMessageMap() {
    static const MessageMap map = {nullptr, kNoEntries};
    return &map;
}

const MessageMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        CWnd* child = FromHandlePermanent(item->hwndItem);
        if (child != nullptr && child != this &&
            child->OnChildNotify(message, wParam, lParam, result)) {
            return true;
        }
    }
    const MessageMapEntry* entry = FindEntry(GetMessageMap(), message, wParam, lParam);
    if (entry == nullptr) {
        return false;
    }
    // Handlers nest (a text set inside a handler runs the change handler at once), so each
    // dispatch keeps its own default request.
    bool defaultRequested = false;
    bool* const outer = m_defaultRequested;
    m_defaultRequested = &defaultRequested;
    *result = entry->handler(*this, message, wParam, lParam);
    m_defaultRequested = outer;
    return !defaultRequested;
}
