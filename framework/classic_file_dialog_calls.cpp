#include "framework/classic_file_dialog_calls.h"

namespace orvanta {
namespace {

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

const ClassicFileDialogCalls* Load() {
    static ClassicFileDialogCalls calls = {};
    const HMODULE module = LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module == nullptr) {
        return nullptr;
    }
    if (!Resolve(module, "GetOpenFileNameA", calls.getOpenFileName) ||
        !Resolve(module, "GetSaveFileNameA", calls.getSaveFileName) ||
        !Resolve(module, "CommDlgExtendedError", calls.extendedError)) {
        return nullptr;
    }
    return &calls;
}

}  // namespace

const ClassicFileDialogCalls* LoadClassicFileDialogCalls() {
    static const ClassicFileDialogCalls* const calls = Load();
    return calls;
}

}  // namespace orvanta
