#pragma once
// Answers the first dialog that the test's thread shows, from a timer that the dialog's own
// modal loop dispatches, so that a test can run a real modal dialog without blocking.

#include <windows.h>

#include <functional>
#include <string>

namespace orvanta::testing {

class DialogAnswerer {
  public:
    // Posts `command` (IDOK or IDCANCEL) to the dialog, after typing `typedName` into its
    // first visible edit control when one is given. Any further dialog, such as a prompt,
    // is cancelled and counted.
    explicit DialogAnswerer(int command, std::wstring typedName = {});
    // Waits with the answer until `ready` holds for the dialog (a dialog that fills itself in
    // after it shows, such as the folder browser with its preselection).
    DialogAnswerer(int command, std::function<bool(HWND)> ready);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    HWND answered() const { return answered_; }
    // The owner of the answered dialog, as it was when answered.
    HWND answeredOwner() const { return answeredOwner_; }
    int otherDialogs() const { return otherDialogs_; }
    // True when no dialog came within the time limit and the modal loop was ended by WM_QUIT.
    bool timedOut() const { return timedOut_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);
    void Answer(HWND dialog);

    int command_;
    std::wstring typedName_;
    std::function<bool(HWND)> ready_;
    UINT_PTR timer_ = 0;
    int ticks_ = 0;
    HWND answered_ = nullptr;
    HWND answeredOwner_ = nullptr;
    int otherDialogs_ = 0;
    bool timedOut_ = false;
};

}  // namespace orvanta::testing
