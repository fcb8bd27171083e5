#include "tests/ui/held_clipboard.h"

#include <string>

#include "core/paths.h"

namespace orvanta::test {
namespace {

std::string EventName(const char* role) {
    std::string name = "orvanta-clipboard-";
    name.append(role).append("-").append(std::to_string(GetCurrentProcessId()));
    return name;
}

}  // namespace

HeldClipboard::HeldClipboard() {
    const std::string heldName = EventName("held");
    const std::string releaseName = EventName("release");
    heldEvent_ = CreateEventA(nullptr, TRUE, FALSE, heldName.c_str());
    releaseEvent_ = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
    if (heldEvent_ == nullptr || releaseEvent_ == nullptr) {
        return;
    }
    // The holder is built beside the test program.
    std::string line = "\"";
    line.append(ModuleDirectory()).append("clipboard_holder.exe\" ");
    line.append(heldName).append(" ").append(releaseName);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
        process_ = {};
        return;
    }
    const HANDLE waits[] = {heldEvent_, process_.hProcess};
    held_ = WaitForMultipleObjects(2, waits, FALSE, 10000) == WAIT_OBJECT_0;
}

HeldClipboard::~HeldClipboard() {
    if (releaseEvent_ != nullptr) {
        SetEvent(releaseEvent_);
    }
    if (process_.hProcess != nullptr) {
        WaitForSingleObject(process_.hProcess, 10000);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    for (HANDLE event : {heldEvent_, releaseEvent_}) {
        if (event != nullptr) {
            CloseHandle(event);
        }
    }
}

}  // namespace orvanta::test
