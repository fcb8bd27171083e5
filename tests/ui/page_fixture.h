#pragma once
// The main window with both pages, its seams captured: message boxes are recorded and answered
// with OK, processes are not started but their command lines recorded, timers are recorded,
// and the process exit is recorded instead of ending the test.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/ui_test_support.h"

namespace orvanta::test {

struct ShownMessage {
    HWND owner;
    std::wstring text;
    std::wstring caption;
    UINT type;
};

struct StartedTimer {
    HWND window;
    UINT_PTR id;
    UINT elapse;
};

class PageFixture : public ::testing::Test {
  protected:
    PageFixture();
    ~PageFixture() override;

    HWND Csv() const { return main.csvPage(); }
    HWND Text() const { return main.textPage(); }
    static HWND Item(HWND page, int id) { return GetDlgItem(page, id); }
    static std::string Get(HWND page, int id) { return AnsiText(Item(page, id)); }
    // Sets a control's text as typing would end up: the change runs its handlers at once.
    static void Set(HWND page, int id, const std::string& text);
    static void Click(HWND page, int id);
    static bool IsChecked(HWND page, int id);
    static bool IsShown(HWND page, int id);

    // A file under a folder of its own in the temporary folder, removed at the end.
    std::string WriteSample(const std::string& name, const std::string& bytes);
    std::string SampleFolder() const { return folder_; }

    static std::string ClipboardText();
    static void PutOnClipboard(const std::wstring& text);

    MainWindow main;
    static std::vector<ShownMessage> messages;
    static std::vector<std::string> launched;  // console lines handed to the launcher
    static std::vector<StartedTimer> timers;
    static std::vector<UINT_PTR> killedTimers;
    static std::vector<int> exits;

  private:
    std::string folder_;
    std::vector<std::string> files_;
};

}  // namespace orvanta::test
