#include "ui/process_exit.h"

#include <windows.h>

#include <cstdlib>

#include "framework/seams.h"
#include "ui/page_messages.h"

namespace orvanta {

ExitProcessCall& ProcessExit() {
    static ExitProcessCall call = [](int status) { std::exit(status); };
    return call;
}

void FailForLackOfMemory(void* owner) {
    ShowMessage(static_cast<HWND>(owner), messages::kNoMemory, messages::kNoMemoryCaption, MB_OK);
    ProcessExit()(255);
}

}  // namespace orvanta
