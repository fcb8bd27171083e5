// Dialogs from templates: control binding, owner-draw reflection, keys in child dialogs and
// the modal loop.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/win_app.h"
#include "tests/framework/logging_dialog.h"
#include "tests/framework/test_dialog_ids.h"
#include "tests/framework/window_test_support.h"

namespace orvanta::test {
namespace {

class RecordingButton : public CButton {
  public:
    void DrawItem(const DRAWITEMSTRUCT& item) override { drawn.push_back(item); }
    std::vector<DRAWITEMSTRUCT> drawn;
};

class DialogTest : public ::testing::Test {
  protected:
    void SetUp() override { RegisterCommonControls(); }
};

TEST_F(DialogTest, BindingFollowsTheWindowAndBindsAgainToANewOne) {
    LoggingDialog dialog;
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
        const HWND edit = dialog.GetDlgItem(IDC_SOURCE_EDIT);
        EXPECT_EQ(dialog.m_editSource.m_hWnd, edit);
        EXPECT_EQ(CWnd::FromHandlePermanent(edit), &dialog.m_editSource);
        EXPECT_EQ(CWnd::FromHandlePermanent(dialog.m_hWnd), &dialog);
        // The bound edit still behaves as an edit.
        dialog.m_editSource.SetWindowText("bound");
        char text[8] = {};
        EXPECT_EQ(GetWindowTextA(edit, text, sizeof text), 5);

        const HWND window = dialog.m_hWnd;
        DestroyWindow(window);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_EQ(dialog.m_editSource.m_hWnd, nullptr);
        EXPECT_EQ(dialog.m_child.m_hWnd, nullptr);
        // Handles are reused: a destroyed window's handle must lead to no object any more.
        EXPECT_EQ(CWnd::FromHandlePermanent(window), nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(edit), nullptr);
    }
}

TEST_F(DialogTest, BoundedTextReadStopsAtTheBuffer) {
    LoggingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.m_editMirror.SetWindowText("0123456789");
    char text[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(dialog.m_editMirror.GetWindowText(text), 4);
    EXPECT_STREQ(text, "0123");
}

TEST_F(DialogTest, OwnerDrawRequestIsReflectedToTheAttachedButton) {
    LoggingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    RecordingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_DRAWN_BUTTON, &dialog));
    RecordingButton second;
    EXPECT_FALSE(second.SubclassDlgItem(IDC_DRAWN_BUTTON, &dialog));
    dialog.log.clear();

    button.RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW);

    ASSERT_FALSE(button.drawn.empty());
    EXPECT_EQ(button.drawn.back().hwndItem, button.m_hWnd);
    EXPECT_EQ(button.drawn.back().CtlID, static_cast<UINT>(IDC_DRAWN_BUTTON));
    EXPECT_EQ(button.drawn.back().CtlType, static_cast<UINT>(ODT_BUTTON));
    EXPECT_TRUE(second.drawn.empty());
    EXPECT_TRUE(dialog.log.empty());

    DestroyWindow(dialog.m_hWnd);
    EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST_F(DialogTest, EscapeTypedInAChildDialogIsTheChildsCancel) {
    LoggingDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
    dialog.log.clear();

    FocusWindow(GetDlgItem(dialog.m_child.m_hWnd, IDC_CHILD_EDIT));
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil(dialog.m_hWnd, [&] { return !dialog.log.empty(); }));
    EXPECT_EQ(dialog.log, (Log{"child:cancel"}));
    EXPECT_EQ(dialog.cancels, 0);

    FocusWindow(dialog.m_editSource.m_hWnd);
    TypeKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil(dialog.m_hWnd, [&] { return dialog.cancels == 1; }));
    EXPECT_EQ(dialog.log, (Log{"child:cancel"}));
}

// What the thread timer does inside the modal loop.
struct ModalScript {
    LoggingDialog* dialog;
    HWND owner;
    void (*act)(LoggingDialog& dialog);
    bool ownerDisabledWhileRunning = false;
};
ModalScript* script = nullptr;

void CALLBACK ActFromTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    script->ownerDisabledWhileRunning = !IsWindowEnabled(script->owner);
    script->act(*script->dialog);
}

struct ModalCase {
    const char* name;
    void (*act)(LoggingDialog& dialog);
    INT_PTR result;
    int cancels;
};

class DoModalTest : public DialogTest, public ::testing::WithParamInterface<ModalCase> {};

TEST_P(DoModalTest, EndsWithTheGivenResultAndGivesTheOwnerBack) {
    const HWND ownerWindow = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                             100, nullptr, nullptr, nullptr, nullptr);
    CWnd owner;
    owner.SubclassWindow(ownerWindow);
    LoggingDialog dialog(&owner);
    ModalScript run = {&dialog, ownerWindow, GetParam().act};
    script = &run;
    SetTimer(nullptr, 0, 20, &ActFromTimer);

    EXPECT_EQ(dialog.DoModal(), GetParam().result);

    EXPECT_TRUE(run.ownerDisabledWhileRunning);
    EXPECT_TRUE(IsWindowEnabled(ownerWindow));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.log.front(), "init");
    EXPECT_EQ(dialog.cancels, GetParam().cancels);
    DestroyWindow(ownerWindow);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, DoModalTest,
    ::testing::Values(ModalCase{"EndDialog", [](LoggingDialog& dialog) { dialog.EndDialog(42); },
                                42, 0},
                      ModalCase{"CancelButton",
                                [](LoggingDialog& dialog) {
                                    SendMessageA(dialog.GetDlgItem(IDCANCEL), BM_CLICK, 0, 0);
                                },
                                IDCANCEL, 1}),
    [](const ::testing::TestParamInfo<ModalCase>& info) { return info.param.name; });

}  // namespace
}  // namespace orvanta::test
