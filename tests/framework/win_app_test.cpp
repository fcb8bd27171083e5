// The application object's entry: InitInstance, then a message loop only when it asks for one.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/win_app.h"

namespace orvanta::test {
namespace {

class ScriptedApp : public CWinApp {
  public:
    explicit ScriptedApp(BOOL keepRunning) : keepRunning_(keepRunning) {}
    BOOL InitInstance() override {
        CWinApp::InitInstance();
        ++initInstanceCalls;
        PostQuitMessage(5);
        return keepRunning_;
    }
    int initInstanceCalls = 0;

  private:
    BOOL keepRunning_;
};

TEST(WinApp, RunLoopsUntilQuitWhenInitInstanceSaysTrue) {
    ScriptedApp app(TRUE);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(CWinApp::Run(), 5);
    EXPECT_EQ(app.initInstanceCalls, 1);
}

TEST(WinApp, RunEndsWithoutALoopWhenInitInstanceSaysFalse) {
    ScriptedApp app(FALSE);
    EXPECT_EQ(CWinApp::Run(), 0);
    EXPECT_EQ(app.initInstanceCalls, 1);
    // The quit message is still queued: no loop took it.
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 5u);
}

}  // namespace
}  // namespace orvanta::test
