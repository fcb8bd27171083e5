// Drives a running Orvanta.exe from another process, addressing controls by id only.
//
//   orvanta_drive STEP...
//     wait                  wait for the main window (30 s at most)
//     tab=N                 select tab N as a click on it would
//     about / close-about   open the About box from the system menu / close it with OK
//     set=PAGE:ID:TEXT      set a control's text (UTF-8); PAGE is main, csv or txt
//     click=PAGE:ID         click a button
//     get=PAGE:ID           print a control's text (UTF-8) on its own line
//     sleep=MS              wait
//     rect                  print the main window's geometry as WIDTHxHEIGHT+X+Y
//     clipboard             print the clipboard's Unicode text (UTF-8) on its own line
//     drop=PAGE:PATH[|PATH] drop files on a page as the shell would (paths in UTF-8)
//     message=MS            wait up to MS for a message box of the program, print
//                           "CAPTION: TEXT" (line breaks as \n) and answer it with OK;
//                           print "(none)" when none comes
//     key=PAGE:ID:NAME      focus a control and press a key: enter, escape, a digit or a letter
//     close                 close the main window as its title bar would
// Exits 1 with a message on the first step that cannot be done.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const wchar_t kMainTitle[] =
    L"Velkano_\u30b3\u30de\u30f3\u30c9\u30e9\u30a4\u30f3\u4f5c\u6210\u30a6\u30a3\u30b6\u30fc\u30c9";
const wchar_t kAboutTitle[] = L"Orvanta \u306b\u3064\u3044\u3066";
constexpr int kTabControlId = 1000;
constexpr int kCsvOnlyControlId = 1022;  // the hexadecimal delimiter field

[[noreturn]] void Fail(const std::string& message) {
    std::fprintf(stderr, "orvanta_drive: %s\n", message.c_str());
    std::exit(1);
}

std::wstring Wide(const std::string& utf8) {
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring wide(units > 0 ? units : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), units);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string Utf8(const std::wstring& wide) {
    int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
    utf8.resize(utf8.size() - 1);
    return utf8;
}

HWND WaitForWindow(const wchar_t* title, int milliseconds) {
    for (int waited = 0; waited <= milliseconds; waited += 50) {
        if (HWND window = FindWindowW(L"#32770", title)) {
            return window;
        }
        Sleep(50);
    }
    return nullptr;
}

HWND MainWindow() {
    HWND main = FindWindowW(L"#32770", kMainTitle);
    if (main == nullptr) {
        Fail("the main window is not there");
    }
    return main;
}

HWND Page(const std::string& name) {
    HWND main = MainWindow();
    if (name == "main") {
        return main;
    }
    HWND tab = GetDlgItem(main, kTabControlId);
    for (HWND page = GetWindow(tab, GW_CHILD); page != nullptr;
         page = GetWindow(page, GW_HWNDNEXT)) {
        const bool csv = GetDlgItem(page, kCsvOnlyControlId) != nullptr;
        if ((name == "csv") == csv) {
            return page;
        }
    }
    Fail("no page " + name);
}

HWND Control(const std::string& pageAndId, std::string* rest = nullptr) {
    const auto colon = pageAndId.find(':');
    if (colon == std::string::npos) {
        Fail("expected PAGE:ID in " + pageAndId);
    }
    const auto second = pageAndId.find(':', colon + 1);
    const int id = std::atoi(pageAndId.substr(colon + 1, second - colon - 1).c_str());
    if (rest != nullptr) {
        *rest = second == std::string::npos ? std::string() : pageAndId.substr(second + 1);
    }
    HWND control = GetDlgItem(Page(pageAndId.substr(0, colon)), id);
    if (control == nullptr) {
        Fail("no control " + pageAndId.substr(0, second));
    }
    return control;
}

// Writes a DROPFILES block with wide names into the program's memory and posts WM_DROPFILES
// with it. The program's DragFinish takes the block as its own, so it is not freed here.
void DropFiles(const std::string& pageAndPaths) {
    const auto colon = pageAndPaths.find(':');
    if (colon == std::string::npos) {
        Fail("expected PAGE:PATH in " + pageAndPaths);
    }
    HWND page = Page(pageAndPaths.substr(0, colon));
    std::wstring names;
    std::string paths = pageAndPaths.substr(colon + 1);
    for (std::size_t start = 0; start <= paths.size();) {
        const auto bar = std::min(paths.find('|', start), paths.size());
        names += Wide(paths.substr(start, bar - start));
        names += L'\0';
        start = bar + 1;
    }
    names += L'\0';

    std::string block(sizeof(DROPFILES) + names.size() * sizeof(wchar_t), '\0');
    auto* drop = reinterpret_cast<DROPFILES*>(block.data());
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(block.data() + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));

    DWORD processId = 0;
    GetWindowThreadProcessId(page, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) {
        Fail("the program's memory cannot be written");
    }
    void* remote =
        VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (remote == nullptr ||
        !WriteProcessMemory(process, remote, block.data(), block.size(), nullptr)) {
        CloseHandle(process);
        Fail("the drop cannot be written into the program");
    }
    CloseHandle(process);
    PostMessageW(page, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
}

// A message box of the program: a top-level dialog of the main window's process titled
// "Orvanta" or "SYSTEM".
HWND FindMessageBox() {
    for (const wchar_t* caption : {L"Orvanta", L"SYSTEM"}) {
        if (HWND box = FindWindowW(L"#32770", caption)) {
            return box;
        }
    }
    return nullptr;
}

// GetWindowText does not ask a window of another process: send the message itself.
std::wstring TextOf(HWND control) {
    const auto length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

void AnswerMessage(int milliseconds) {
    HWND box = nullptr;
    for (int waited = 0; box == nullptr && waited <= milliseconds; waited += 50) {
        box = FindMessageBox();
        if (box == nullptr) {
            Sleep(50);
        }
    }
    if (box == nullptr) {
        std::printf("(none)\n");
        return;
    }
    constexpr int kMessageTextId = 0xFFFF;
    std::wstring line = TextOf(box) + L": ";
    for (wchar_t c : TextOf(GetDlgItem(box, kMessageTextId))) {
        if (c == L'\n') {
            line += L"\\n";
        } else if (c != L'\r') {
            line += c;
        }
    }
    std::printf("%s\n", Utf8(line).c_str());
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int waited = 0; IsWindow(box) && waited < 5000; waited += 50) {
        Sleep(50);
    }
}

// Focuses the control through the program's input state, then types the key system-wide, so
// that the program's own keyboard state sees the press.
void PressKey(const std::string& pageIdAndName) {
    std::string name;
    HWND control = Control(pageIdAndName, &name);
    WORD key = 0;
    if (name == "enter") {
        key = VK_RETURN;
    } else if (name == "escape") {
        key = VK_ESCAPE;
    } else if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    } else {
        Fail("unknown key " + name);
    }
    const DWORD programThread = GetWindowThreadProcessId(control, nullptr);
    const DWORD ownThread = GetCurrentThreadId();
    AttachThreadInput(ownThread, programThread, TRUE);
    SetForegroundWindow(GetAncestor(control, GA_ROOT));
    SetFocus(control);
    AttachThreadInput(ownThread, programThread, FALSE);
    INPUT presses[2] = {};
    for (INPUT& press : presses) {
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = key;
    }
    presses[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, presses, sizeof(INPUT));
}

// Clicks along the row of tab buttons until the item is selected, so that the tab control
// itself raises its notifications inside the program (a notification carries a pointer and
// cannot be sent from another process, and item rectangles cannot be asked for either).
void SelectTab(int item) {
    HWND tab = GetDlgItem(MainWindow(), kTabControlId);
    RECT client{};
    GetClientRect(tab, &client);
    for (int x = 4; x < client.right; x += 8) {
        if (SendMessageW(tab, TCM_GETCURSEL, 0, 0) == item) {
            return;
        }
        const LPARAM point = MAKELPARAM(x, 8);
        SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(tab, WM_LBUTTONUP, 0, point);
    }
    if (SendMessageW(tab, TCM_GETCURSEL, 0, 0) != item) {
        Fail("tab " + std::to_string(item) + " cannot be selected");
    }
}

void Step(const std::string& step) {
    const auto equals = step.find('=');
    const std::string verb = step.substr(0, equals);
    const std::string argument =
        equals == std::string::npos ? std::string() : step.substr(equals + 1);
    if (verb == "wait") {
        if (WaitForWindow(kMainTitle, 30000) == nullptr) {
            Fail("the main window did not appear");
        }
    } else if (verb == "tab") {
        SelectTab(std::atoi(argument.c_str()));
    } else if (verb == "about") {
        PostMessageW(MainWindow(), WM_SYSCOMMAND, 0x10, 0);
        if (WaitForWindow(kAboutTitle, 10000) == nullptr) {
            Fail("the About box did not appear");
        }
    } else if (verb == "close-about") {
        HWND about = FindWindowW(L"#32770", kAboutTitle);
        if (about == nullptr) {
            Fail("no About box to close");
        }
        PostMessageW(about, WM_COMMAND, IDOK, 0);
    } else if (verb == "set") {
        std::string text;
        HWND control = Control(argument, &text);
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    } else if (verb == "click") {
        PostMessageW(Control(argument), BM_CLICK, 0, 0);
    } else if (verb == "get") {
        std::printf("%s\n", Utf8(TextOf(Control(argument))).c_str());
    } else if (verb == "rect") {
        RECT bounds{};
        GetWindowRect(MainWindow(), &bounds);
        std::printf("%ldx%ld+%ld+%ld\n", bounds.right - bounds.left, bounds.bottom - bounds.top,
                    bounds.left, bounds.top);
    } else if (verb == "clipboard") {
        std::wstring text;
        if (OpenClipboard(nullptr)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                text = static_cast<const wchar_t*>(GlobalLock(data));
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        std::printf("%s\n", Utf8(text).c_str());
    } else if (verb == "drop") {
        DropFiles(argument);
    } else if (verb == "message") {
        AnswerMessage(std::atoi(argument.c_str()));
    } else if (verb == "key") {
        PressKey(argument);
    } else if (verb == "sleep") {
        Sleep(std::atoi(argument.c_str()));
    } else if (verb == "close") {
        PostMessageW(MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        Fail("unknown step " + step);
    }
}

}  // namespace

int main() {
    // The wide command line keeps Japanese texts whatever the ANSI code page.
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        Step(Utf8(arguments[i]));
    }
    LocalFree(arguments);
    std::fflush(stdout);
    return 0;
}
