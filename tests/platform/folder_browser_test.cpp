#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <string>

#include "dialog_answerer.h"
#include "test_paths.h"
#include "platform/folder_browser.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

using testing::Cp932;

struct BrowserSetUp {
    int runs = 0;
    HWND owner = reinterpret_cast<HWND>(1);
    PCIDLIST_ABSOLUTE root = reinterpret_cast<PCIDLIST_ABSOLUTE>(1);
    char* displayName = reinterpret_cast<char*>(1);
    std::string title;
    UINT flags = 0;
    BFFCALLBACK callback = nullptr;
    LPARAM data = 0;
};

BrowserSetUp seen;
std::wstring confirmedFolder;  // empty: the user cancels

PIDLIST_ABSOLUTE ScriptedBrowser(BROWSEINFOA* info) {
    ++seen.runs;
    seen.owner = info->hwndOwner;
    seen.root = info->pidlRoot;
    seen.displayName = info->pszDisplayName;
    seen.title = info->lpszTitle != nullptr ? info->lpszTitle : "";
    seen.flags = info->ulFlags;
    seen.callback = info->lpfn;
    seen.data = info->lParam;
    return confirmedFolder.empty() ? nullptr : ILCreateFromPathW(confirmedFolder.c_str());
}

// A folder under the temporary folder, made for the test and removed after it.
class ScratchFolder {
  public:
    explicit ScratchFolder(const std::wstring& name) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name;
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveDirectoryW(path_.c_str()); }
    const std::wstring& path() const { return path_; }

  private:
    std::wstring path_;
};

bool IsFolder(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class FolderBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        seen = {};
        confirmedFolder.clear();
        PlatformSeams().browseForFolder = ScriptedBrowser;
    }
    void TearDown() override { ResetPlatformSeams(); }
};

TEST_F(FolderBrowserTest, ShowsTheBrowserForFileSystemFoldersWithTheInitialFolderAsData) {
    const char* initial = "C:\\temp";
    BrowseForFolder(initial);

    EXPECT_EQ(seen.runs, 1);
    EXPECT_EQ(seen.owner, nullptr);
    EXPECT_EQ(seen.root, nullptr);
    EXPECT_EQ(seen.displayName, nullptr);
    EXPECT_EQ(seen.title, Cp932(L"ソートの作業フォルダを指定"));
    EXPECT_EQ(seen.flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    EXPECT_EQ(seen.callback, &BrowseCallback);
    EXPECT_EQ(seen.data, reinterpret_cast<LPARAM>(initial));
}

TEST_F(FolderBrowserTest, CancelGivesTheInitialFolderBack) {
    PickOutcome outcome = PickOutcome::Chosen;
    EXPECT_STREQ(BrowseForFolder("C:\\Users\\me\\AppData\\Local\\Temp", &outcome),
                 "C:\\Users\\me\\AppData\\Local\\Temp");
    EXPECT_EQ(outcome, PickOutcome::Cancelled);

    EXPECT_STREQ(BrowseForFolder(nullptr, &outcome), "");
    EXPECT_EQ(outcome, PickOutcome::Cancelled);
    EXPECT_EQ(seen.data, 0);
}

TEST_F(FolderBrowserTest, ConfirmGivesTheChosenFolderInCodePage932) {
    ScratchFolder folder(L"orvanta_作業");
    ASSERT_TRUE(IsFolder(folder.path()));
    confirmedFolder = folder.path();
    PickOutcome outcome = PickOutcome::Cancelled;

    EXPECT_EQ(BrowseForFolder("C:\\temp", &outcome), Cp932(folder.path()));
    EXPECT_EQ(outcome, PickOutcome::Chosen);
}

TEST_F(FolderBrowserTest, AChosenFolderThatDoesNotFitIsRefusedAndTheInitialFolderKept) {
    // 140 two-byte characters: short in UTF-16, too long for 259 bytes of code page 932.
    const std::wstring half(70, L'表');
    ScratchFolder outer(half);
    ScratchFolder folder(half + L"\\" + half);
    ASSERT_LT(folder.path().size(), 200u);
    ASSERT_TRUE(IsFolder(folder.path()));
    confirmedFolder = folder.path();
    PickOutcome outcome = PickOutcome::Chosen;

    EXPECT_STREQ(BrowseForFolder("C:\\temp", &outcome), "C:\\temp");
    EXPECT_EQ(outcome, PickOutcome::TooLong);
}

TEST_F(FolderBrowserTest, AChosenFolderWithoutAnAnsiFormIsRefused) {
    ScratchFolder folder(L"orvanta_\xD55C");  // a Hangul syllable: not in code page 932
    ASSERT_TRUE(IsFolder(folder.path()));
    confirmedFolder = folder.path();
    PickOutcome outcome = PickOutcome::Chosen;

    EXPECT_STREQ(BrowseForFolder("C:\\temp", &outcome), "C:\\temp");
    EXPECT_EQ(outcome, PickOutcome::NotAnsi);
}

TEST_F(FolderBrowserTest, AnInitialFolderThatDoesNotFitIsRefusedWithoutABrowser) {
    const std::string longest = "C:\\" + std::string(256, 'a');
    PickOutcome outcome = PickOutcome::Cancelled;
    EXPECT_EQ(BrowseForFolder(longest.c_str(), &outcome), longest);
    EXPECT_EQ(seen.runs, 1);

    const std::string tooLong = longest + "b";
    EXPECT_STREQ(BrowseForFolder(tooLong.c_str(), &outcome), "");
    EXPECT_EQ(outcome, PickOutcome::TooLong);
    EXPECT_EQ(seen.runs, 1);
}

BOOL CALLBACK FindTreeView(HWND window, LPARAM found) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, WC_TREEVIEWA) == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring SelectedTreeItemText(HWND browser) {
    HWND tree = nullptr;
    EnumChildWindows(browser, FindTreeView, reinterpret_cast<LPARAM>(&tree));
    if (tree == nullptr) {
        return {};
    }
    wchar_t text[MAX_PATH] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    if (item.hItem == nullptr ||
        !SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return {};
    }
    return text;
}

TEST(RealFolderBrowserTest, ConfirmingThePreselectedFolderGivesItBack) {
    ResetPlatformSeams();
    // An ASCII name: Wine's browser leaves a folder with a Japanese name unselected.
    ScratchFolder folder(L"orvanta_work");
    ASSERT_TRUE(IsFolder(folder.path()));
    const std::string initial = Cp932(folder.path());
    PickOutcome outcome = PickOutcome::Cancelled;
    std::string chosen;
    {
        // Wine fills its tree after the browser shows and now and then drops the first
        // preselection: ask again, as the callback does, until the selection stands.
        testing::DialogAnswerer answerer(IDOK, [&initial](HWND browser) {
            if (SelectedTreeItemText(browser) == L"orvanta_work") {
                return true;
            }
            SendMessageA(browser, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(initial.c_str()));
            return false;
        });
        chosen = BrowseForFolder(initial.c_str(), &outcome);
        EXPECT_FALSE(answerer.timedOut());
        EXPECT_NE(answerer.answered(), nullptr);
    }
    EXPECT_EQ(outcome, PickOutcome::Chosen);
    EXPECT_TRUE(lstrcmpiA(chosen.c_str(), initial.c_str()) == 0) << chosen;
}

TEST(RealFolderBrowserTest, CancelGivesTheInitialFolderBack) {
    ResetPlatformSeams();
    PickOutcome outcome = PickOutcome::Chosen;
    std::string chosen;
    {
        testing::DialogAnswerer answerer(IDCANCEL);
        chosen = BrowseForFolder("C:\\windows", &outcome);
        EXPECT_FALSE(answerer.timedOut());
        EXPECT_NE(answerer.answered(), nullptr);
    }
    EXPECT_EQ(outcome, PickOutcome::Cancelled);
    EXPECT_EQ(chosen, "C:\\windows");
}

// A window that records the last message the callback sends it.
struct SentMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
SentMessage received;

LRESULT CALLBACK RecordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER) {
        received = {message, wParam, lParam};
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(BrowseCallbackTest, PreselectsTheDataOnInitializationOnly) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = RecordingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OrvantaBrowseCallbackTest";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA(windowClass.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    const char folder[] = "D:\\work\\tmp";

    received = {};
    EXPECT_EQ(BrowseCallback(window, BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(folder)), 0);
    EXPECT_EQ(received.message, 0x466u);
    EXPECT_EQ(received.wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(received.lParam, reinterpret_cast<LPARAM>(folder));

    received = {};
    EXPECT_EQ(BrowseCallback(window, BFFM_SELCHANGED, 0, reinterpret_cast<LPARAM>(folder)), 0);
    EXPECT_EQ(BrowseCallback(window, BFFM_INITIALIZED, 0, 0), 0);
    EXPECT_EQ(received.message, 0u);

    DestroyWindow(window);
}

}  // namespace
}  // namespace orvanta
