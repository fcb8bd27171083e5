#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "dialog_answerer.h"
#include "test_paths.h"
#include "framework/classic_file_dialog_calls.h"
#include "framework/file_dialog.h"
#include "framework/win_app.h"
#include "framework/wnd.h"

namespace {

using orvanta::testing::Cp932;
using orvanta::testing::DialogAnswerer;
using orvanta::testing::TempPath;
using Entry = std::pair<std::string, std::string>;

TEST(FileDialogFilterTest, SplitsLabelAndPatternPairsUpToTheDoubledBar) {
    const std::pair<const char*, std::vector<Entry>> cases[] = {
        {"csv(*.csv)|*.csv||", {{"csv(*.csv)", "*.csv"}}},
        {"A|*.a|B|*.b;*.c||", {{"A", "*.a"}, {"B", "*.b;*.c"}}},
        {"A|*.a||B|*.b||", {{"A", "*.a"}}},
        {"", {}},
        // ポ is 0x83 0x7C: its second byte is no separator.
        {"\x83\x7C(*.txt)|*.txt||", {{"\x83\x7C(*.txt)", "*.txt"}}},
    };
    for (const auto& [filter, entries] : cases) {
        CFileDialog dialog(TRUE, nullptr, nullptr, 0, filter);
        EXPECT_EQ(dialog.FilterEntries(), entries) << filter;
    }
}

TEST(ClassicFileDialogCallsTest, AreComdlg32sOwnLoadedOnTheFirstRequest) {
    const orvanta::ClassicFileDialogCalls* calls = orvanta::LoadClassicFileDialogCalls();
    ASSERT_NE(calls, nullptr);
    const HMODULE comdlg32 = GetModuleHandleW(L"comdlg32.dll");
    ASSERT_NE(comdlg32, nullptr);
    const auto exported = [comdlg32](const char* name) {
        return reinterpret_cast<void*>(GetProcAddress(comdlg32, name));
    };
    EXPECT_EQ(reinterpret_cast<void*>(calls->getOpenFileName), exported("GetOpenFileNameA"));
    EXPECT_EQ(reinterpret_cast<void*>(calls->getSaveFileName), exported("GetSaveFileNameA"));
    EXPECT_EQ(reinterpret_cast<void*>(calls->extendedError), exported("CommDlgExtendedError"));
    EXPECT_EQ(orvanta::LoadClassicFileDialogCalls(), calls);
}

TEST(FileDialogExtensionTest, FollowsTheShellsExtensionRule) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\work\\out.csv", "csv"}, {"C:\\work\\out", ""},        {"C:\\work\\out.", ""},
        {"D:\\a.b\\out", ""},         {"C:\\work\\a.b.TXT", "TXT"}, {"", ""},
    };
    for (const auto& [path, extension] : cases) {
        EXPECT_EQ(PathExtensionOf(path), extension) << path;
    }
}

TEST(FileDialogOptionsTest, ThePickerFlagsAskForCreationButNotForOverwriting) {
    const FILEOPENDIALOGOPTIONS saveDefaults =
        FOS_OVERWRITEPROMPT | FOS_NOREADONLYRETURN | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR;
    const FILEOPENDIALOGOPTIONS openDefaults =
        FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR;

    EXPECT_EQ(ItemDialogOptions(saveDefaults, 0x882004),
              static_cast<FILEOPENDIALOGOPTIONS>(FOS_CREATEPROMPT | FOS_PATHMUSTEXIST |
                                                 FOS_FORCEFILESYSTEM));
    EXPECT_EQ(ItemDialogOptions(openDefaults, OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT),
              static_cast<FILEOPENDIALOGOPTIONS>(FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST |
                                                 FOS_OVERWRITEPROMPT | FOS_FORCEFILESYSTEM));
}

// The item dialog form of these tests means something only where it can be created.
bool ItemDialogCanBeCreated() {
    HRESULT apartment = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IFileDialog* dialog = nullptr;
    const bool created =
        SUCCEEDED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IFileDialog, reinterpret_cast<void**>(&dialog)));
    if (dialog != nullptr) {
        dialog->Release();
    }
    if (SUCCEEDED(apartment)) {
        CoUninitialize();
    }
    return created;
}

class RealFileDialogTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) {
            ASSERT_TRUE(ItemDialogCanBeCreated());
        }
    }
};

TEST_P(RealFileDialogTest, CancelReturnsIdCancelWithoutAPath) {
    CFileDialog dialog(TRUE, nullptr, nullptr, 0x882004, "*(*.*)|*.*||", nullptr, GetParam());
    DialogAnswerer answerer(IDCANCEL);

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(answerer.timedOut());
    EXPECT_NE(answerer.answered(), nullptr);
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST_P(RealFileDialogTest, ATypedJapaneseNameComesBackInCodePage932) {
    const std::wstring path = TempPath(L"orvanta_出力表.csv");
    DeleteFileW(path.c_str());
    CFileDialog dialog(FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER,
                       "csv(*.csv)|*.csv||", nullptr, GetParam());
    DialogAnswerer answerer(IDOK, path);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(answerer.timedOut());
    EXPECT_EQ(answerer.otherDialogs(), 0);
    EXPECT_EQ(dialog.GetPathName(), Cp932(path));
    EXPECT_EQ(dialog.GetFileExt(), "csv");
    EXPECT_EQ(dialog.GetPathStatus(), CFileDialog::PathStatus::Whole);
}

TEST_P(RealFileDialogTest, WithoutAParentTheApplicationsMainWindowOwnsIt) {
    HWND window = CreateWindowA("STATIC", "main", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    CWnd mainWnd;
    ASSERT_TRUE(mainWnd.SubclassWindow(window));
    CWinApp app;
    app.m_pMainWnd = &mainWnd;

    CFileDialog dialog(TRUE, nullptr, nullptr, 0x882004, "*(*.*)|*.*||", nullptr, GetParam());
    DialogAnswerer answerer(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(answerer.answeredOwner(), window);

    app.m_pMainWnd = nullptr;
    DestroyWindow(window);
}

INSTANTIATE_TEST_SUITE_P(ItemAndClassic, RealFileDialogTest, ::testing::Values(TRUE, FALSE),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "ItemDialog" : "ClassicDialog";
                         });

}  // namespace
