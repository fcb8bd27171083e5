#pragma once
// Another process that holds the clipboard open for as long as this object lives.

#include <windows.h>

namespace orvanta::test {

class HeldClipboard {
  public:
    HeldClipboard();
    ~HeldClipboard();
    HeldClipboard(const HeldClipboard&) = delete;
    HeldClipboard& operator=(const HeldClipboard&) = delete;

    // True once the other process has the clipboard open.
    bool held() const { return held_; }

  private:
    HANDLE heldEvent_ = nullptr;
    HANDLE releaseEvent_ = nullptr;
    PROCESS_INFORMATION process_ = {};
    bool held_ = false;
};

}  // namespace orvanta::test
