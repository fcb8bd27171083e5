#include "dialog_answerer.h"

#include <string>
#include <utility>
#include <vector>

namespace orvanta::testing {
namespace {

constexpr UINT kTickMs = 100;
constexpr int kTickLimit = 200;

DialogAnswerer* active = nullptr;

std::string ClassOf(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "#32770") {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
    if (IsWindowVisible(window) && ClassOf(window) == "Edit") {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int command, std::wstring typedName)
    : command_(command), typedName_(std::move(typedName)) {
    active = this;
    timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
}

DialogAnswerer::DialogAnswerer(int command, std::function<bool(HWND)> ready)
    : DialogAnswerer(command) {
    ready_ = std::move(ready);
}

DialogAnswerer::~DialogAnswerer() {
    KillTimer(nullptr, timer_);
    active = nullptr;
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    DialogAnswerer* self = active;
    if (self == nullptr) {
        KillTimer(nullptr, timer);
        return;
    }
    if (++self->ticks_ > kTickLimit) {
        // Never block the suite: leave the modal loop the hard way.
        self->timedOut_ = true;
        KillTimer(nullptr, timer);
        PostQuitMessage(0);
        return;
    }
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (self->answered_ == nullptr) {
            if (!self->ready_ || self->ready_(dialog)) {
                self->Answer(dialog);
            }
            return;
        }
        if (dialog != self->answered_) {
            ++self->otherDialogs_;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }
}

void DialogAnswerer::Answer(HWND dialog) {
    answered_ = dialog;
    answeredOwner_ = GetWindow(dialog, GW_OWNER);
    if (!typedName_.empty()) {
        HWND edit = nullptr;
        EnumChildWindows(dialog, FindEdit, reinterpret_cast<LPARAM>(&edit));
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typedName_.c_str()));
    }
    PostMessageW(dialog, WM_COMMAND, command_, 0);
}

}  // namespace orvanta::testing
