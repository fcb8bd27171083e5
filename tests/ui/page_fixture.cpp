#include "tests/ui/page_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/paths.h"
#include "framework/seams.h"
#include "platform/platform_seams.h"
#include "tests/framework/window_test_support.h"
#include "ui/process_exit.h"

namespace orvanta::test {

std::vector<ShownMessage> PageFixture::messages;
std::vector<std::string> PageFixture::launched;
std::vector<StartedTimer> PageFixture::timers;
std::vector<UINT_PTR> PageFixture::killedTimers;
std::vector<int> PageFixture::exits;

PageFixture::PageFixture() {
    messages.clear();
    launched.clear();
    timers.clear();
    killedTimers.clear();
    exits.clear();
    FrameworkSeams().messageBox = [](HWND owner, const wchar_t* text, const wchar_t* caption,
                                     UINT type) {
        messages.push_back({owner, text, caption, type});
        return IDOK;
    };
    FrameworkSeams().setTimer = [](HWND window, UINT_PTR id, UINT elapse) -> UINT_PTR {
        timers.push_back({window, id, elapse});
        return id;
    };
    FrameworkSeams().killTimer = [](HWND, UINT_PTR id) -> BOOL {
        killedTimers.push_back(id);
        return TRUE;
    };
    PlatformSeams().launch = [](const char*, char* line, BOOL, DWORD, STARTUPINFOA*) -> DWORD {
        launched.emplace_back(line);
        return 4242;
    };
    PlatformSeams().setTextAttribute = [](WORD) {};
    ProcessExit() = [](int status) { exits.push_back(status); };
    ForgetKeyPresses(VK_RETURN);
    ForgetKeyPresses(VK_ESCAPE);

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "orvanta_pages";
    CreateDirectoryA(folder_.c_str(), nullptr);
}

PageFixture::~PageFixture() {
    for (const std::string& file : files_) {
        DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
    ResetFrameworkSeams();
    ResetPlatformSeams();
    ProcessExit() = [](int status) { std::exit(status); };
}

void PageFixture::Set(HWND page, int id, const std::string& text) {
    SetWindowTextA(Item(page, id), text.c_str());
}

void PageFixture::Click(HWND page, int id) {
    SendMessageA(Item(page, id), BM_CLICK, 0, 0);
}

bool PageFixture::IsChecked(HWND page, int id) {
    return SendMessageA(Item(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool PageFixture::IsShown(HWND page, int id) {
    return (GetWindowLongA(Item(page, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::string PageFixture::WriteSample(const std::string& name, const std::string& bytes) {
    const std::string path = folder_ + "\\" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    files_.push_back(path);
    return path;
}

std::string PageFixture::ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) {
        return text;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
        const int bytes = WideCharToMultiByte(932, 0, wide, -1, nullptr, 0, nullptr, nullptr);
        text.resize(bytes > 0 ? bytes - 1 : 0);
        WideCharToMultiByte(932, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

void PageFixture::PutOnClipboard(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text.c_str(), bytes);
    GlobalUnlock(block);
    SetClipboardData(CF_UNICODETEXT, block);
    CloseClipboard();
}

}  // namespace orvanta::test
