// The templates turned into real windows: every control exists with its class
// and caption, and the automatic radio buttons fall into the intended groups.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/res/expected_dialogs.h"

namespace orvanta::test {
namespace {

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::u16string TextOf(HWND window) {
    wchar_t buffer[256] = {};
    GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
    return reinterpret_cast<const char16_t*>(buffer);
}

std::u16string ClassOf(HWND window) {
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
    return reinterpret_cast<const char16_t*>(buffer);
}

// Creates a dialog from the executable's template; pages get a pop-up host,
// since a child window needs a parent.
class LiveDialog {
  public:
    explicit LiveDialog(const ExpectedDialog& expected) {
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES};
        InitCommonControlsEx(&classes);
        if (expected.style & WS_CHILD) {
            host_ = CreateWindowExW(0, L"Static", L"host", WS_POPUP, 0, 0, 800, 600, nullptr,
                                    nullptr, GetModuleHandleW(nullptr), nullptr);
        }
        dialog_ =
            CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(expected.resourceId),
                               host_, PassiveDialogProc, 0);
    }
    ~LiveDialog() {
        if (dialog_ != nullptr) {
            DestroyWindow(dialog_);
        }
        if (host_ != nullptr) {
            DestroyWindow(host_);
        }
    }
    LiveDialog(const LiveDialog&) = delete;
    LiveDialog& operator=(const LiveDialog&) = delete;

    HWND window() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    bool checked(int id) const { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

  private:
    HWND host_ = nullptr;
    HWND dialog_ = nullptr;
};

std::vector<HWND> ChildrenInOrder(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

void ExpectControlsLikeTemplate(HWND dialog, const ExpectedDialog& expected) {
    const std::vector<HWND> children = ChildrenInOrder(dialog);
    ASSERT_EQ(children.size(), expected.controls.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& want = expected.controls[i];
        SCOPED_TRACE(testing::Message() << expected.name << " control #" << i << " id " << want.id);
        EXPECT_EQ(GetDlgCtrlID(children[i]), want.id);
        std::u16string actualClass = ClassOf(children[i]);
        std::u16string wantClass(want.windowClass);
        EXPECT_EQ(CompareStringOrdinal(reinterpret_cast<LPCWSTR>(actualClass.c_str()), -1,
                                       reinterpret_cast<LPCWSTR>(wantClass.c_str()), -1, TRUE),
                  CSTR_EQUAL)
            << "class";
        if (want.captionOrdinal < 0) {
            EXPECT_EQ(TextOf(children[i]), want.caption);
        }
    }
}

class LiveDialogTest : public testing::TestWithParam<const ExpectedDialog* (*)()> {};

TEST_P(LiveDialogTest, CreatesEveryControlWithItsClassAndCaption) {
    const ExpectedDialog& expected = *GetParam()();
    LiveDialog dialog(expected);
    ASSERT_NE(dialog.window(), nullptr) << expected.name;
    ExpectControlsLikeTemplate(dialog.window(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    AllDialogs, LiveDialogTest,
    testing::Values([] { return &ExpectedAboutBox(); }, [] { return &ExpectedMainWindow(); },
                    [] { return &ExpectedCsvPage(); }, [] { return &ExpectedTextPage(); }),
    [](const auto& info) { return "Dialog" + std::to_string(info.param()->resourceId); });

// Clicking through every radio: each click selects that radio, clears the rest
// of its own group and leaves every other group as it was.
void ExpectIndependentRadioGroups(const LiveDialog& page,
                                  const std::vector<std::vector<int>>& groups) {
    ShowWindow(page.window(), SW_SHOW);
    std::vector<int> selected(groups.size(), 0);  // 0: nothing selected yet
    auto click = [&](size_t group, int id) {
        SendMessageW(page.item(id), BM_CLICK, 0, 0);
        selected[group] = id;
        for (size_t g = 0; g < groups.size(); ++g) {
            for (int member : groups[g]) {
                EXPECT_EQ(page.checked(member), member == selected[g])
                    << "radio " << member << " after clicking " << id;
            }
        }
    };
    for (size_t g = 0; g < groups.size(); ++g) {
        click(g, groups[g].front());
    }
    for (size_t g = 0; g < groups.size(); ++g) {
        for (int id : groups[g]) {
            click(g, id);
        }
    }
}

TEST(LiveDialogs, CsvPageRadioGroupsAreIndependent) {
    LiveDialog page(ExpectedCsvPage());
    ASSERT_NE(page.window(), nullptr);
    ExpectIndependentRadioGroups(page, CsvPageRadioGroups());
}

TEST(LiveDialogs, TextPageRadioGroupsAreIndependent) {
    LiveDialog page(ExpectedTextPage());
    ASSERT_NE(page.window(), nullptr);
    ExpectIndependentRadioGroups(page, TextPageRadioGroups());
}

}  // namespace
}  // namespace orvanta::test
