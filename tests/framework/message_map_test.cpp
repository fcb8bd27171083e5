// Message maps on a real dialog: which row a message reaches, how the handler's answer gets
// back, nesting, and the fall-back to the dialog manager.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "framework/seams.h"
#include "framework/win_app.h"
#include "tests/framework/logging_dialog.h"
#include "tests/framework/test_dialog_ids.h"
#include "tests/framework/window_test_support.h"

namespace orvanta::test {
namespace {

class MessageMapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterCommonControls();
        ASSERT_TRUE(dialog.Create(IDD_FRAMEWORK_TEST));
        dialog.log.clear();
    }
    void TearDown() override { ResetFrameworkSeams(); }

    HWND Item(int id) const { return dialog.GetDlgItem(id); }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(dialog.m_hWnd, message, wParam, lParam);
    }

    LoggingDialog dialog;
};

TEST_F(MessageMapTest, TextSetInsideAHandlerRunsTheChangeHandlersNestedInIt) {
    SendMessageA(Item(IDC_GO_BUTTON), BM_CLICK, 0, 0);

    // EN_UPDATE and the other notifications of the edits have no row and leave no trace.
    EXPECT_EQ(dialog.log, (Log{"go:begin", "source:abc", "mirror:abc", "go:end"}));
}

TEST_F(MessageMapTest, RowsUnpackTheirMessagesAndAnswerThroughTheRightChannel) {
    NMHDR probe = {Item(IDC_SOURCE_EDIT), IDC_SOURCE_EDIT, kProbeNotification};
    EXPECT_EQ(Send(WM_NOTIFY, IDC_SOURCE_EDIT, reinterpret_cast<LPARAM>(&probe)), 7);
    NMHDR otherControl = {Item(IDC_MIRROR_EDIT), IDC_MIRROR_EDIT, kProbeNotification};
    EXPECT_EQ(Send(WM_NOTIFY, IDC_MIRROR_EDIT, reinterpret_cast<LPARAM>(&otherControl)), 0);
    Send(WM_TIMER, 5, 0);
    Send(WM_DROPFILES, 0x1234, 0);
    EXPECT_EQ(Send(WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(dialog.dragIcon));

    EXPECT_EQ(dialog.log, (Log{"notify:300", "timer:5", "drop"}));
}

TEST_F(MessageMapTest, HandlerAskingForTheDefaultLeavesTheSystemCommandToTheDialogManager) {
    Send(WM_SYSCOMMAND, SC_CLOSE, 0);

    // The default closes through WM_CLOSE, which the dialog manager turns into IDCANCEL.
    EXPECT_TRUE(PumpUntil(dialog.m_hWnd, [&] { return dialog.cancels == 1; }));
    EXPECT_EQ(dialog.log, (Log{"sys:" + std::to_string(SC_CLOSE)}));
}

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(MessageMapTest, ColourRequestsWithoutAnAnswerGetThePlatformDefaults) {
    const HWND plain =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FRAMEWORK_TEST), nullptr,
                           &PassiveDialogProc, 0);
    ASSERT_NE(plain, nullptr);
    const HDC dc = CreateCompatibleDC(nullptr);

    const auto answer = [dc](HWND window, UINT message, int id) {
        SetTextColor(dc, RGB(9, 9, 9));
        const LRESULT brush = SendMessageA(window, message, reinterpret_cast<WPARAM>(dc),
                                           reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
        return std::make_tuple(brush, GetTextColor(dc));
    };
    for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORBTN, WM_CTLCOLORDLG}) {
        SCOPED_TRACE(message);
        EXPECT_EQ(answer(dialog.m_hWnd, message, IDC_MIRROR_EDIT),
                  answer(plain, message, IDC_MIRROR_EDIT));
    }
    EXPECT_EQ(std::get<0>(answer(dialog.m_hWnd, WM_CTLCOLORSTATIC, IDC_LABEL)),
              reinterpret_cast<LRESULT>(dialog.labelBrush.GetSafeHandle()));

    DeleteDC(dc);
    DestroyWindow(plain);
}

struct TimerCall {
    HWND window;
    UINT_PTR id;
    UINT elapse;
    bool operator==(const TimerCall&) const = default;
};
std::vector<TimerCall> timerCalls;

TEST_F(MessageMapTest, TimersGoThroughTheSeam) {
    timerCalls.clear();
    FrameworkSeams().setTimer = [](HWND window, UINT_PTR id, UINT elapse) -> UINT_PTR {
        timerCalls.push_back({window, id, elapse});
        return id;
    };
    FrameworkSeams().killTimer = [](HWND window, UINT_PTR id) -> BOOL {
        timerCalls.push_back({window, id, 0});
        return TRUE;
    };

    EXPECT_EQ(dialog.SetTimer(100, 4000), 100u);
    EXPECT_TRUE(dialog.KillTimer(100));

    EXPECT_EQ(timerCalls,
              (std::vector<TimerCall>{{dialog.m_hWnd, 100, 4000}, {dialog.m_hWnd, 100, 0}}));
}

}  // namespace
}  // namespace orvanta::test
