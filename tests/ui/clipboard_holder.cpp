// Holds the clipboard open, as another program may, until it is told to let go.
// Usage: clipboard_holder HELD_EVENT RELEASE_EVENT
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    // Opened for a window of its own, as programs do: Wine lets a second opener without a
    // window in while the first had none either.
    HWND window = CreateWindowA("STATIC", "clipboard holder", 0, 0, 0, 0, 0, nullptr, nullptr,
                                nullptr, nullptr);
    if (held == nullptr || release == nullptr || window == nullptr || !OpenClipboard(window)) {
        return 1;
    }
    SetEvent(held);
    // Never for ever: a test that fails before releasing must not leave the clipboard taken.
    WaitForSingleObject(release, 30000);
    CloseClipboard();
    DestroyWindow(window);
    return 0;
}
