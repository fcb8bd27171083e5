#include "platform/folder_browser.h"

#include <shlobj.h>

#include <string>

#include "platform/ansi_path.h"
#include "platform/com_apartment.h"
#include "platform/path_store.h"
#include "platform/platform_seams.h"

namespace orvanta {
namespace {

// "ソートの作業フォルダを指定" in code page 932.
constexpr char kBrowserTitle[] =
    "\x83\x5C\x81\x5B\x83\x67\x82\xCC\x8D\xEC\x8B\xC6\x83\x74\x83\x48\x83\x8B\x83\x5F\x82\xF0"
    "\x8E\x77\x92\xE8";

PathStore folderStore;

// Writes the item's file-system path into the store when it converts whole and fits.
PickOutcome StoreFolderPath(PCIDLIST_ABSOLUTE item) {
    PWSTR widePath = nullptr;
    if (FAILED(SHGetNameFromIDList(item, SIGDN_FILESYSPATH, &widePath))) {
        return PickOutcome::Unavailable;
    }
    std::string path;
    const AnsiConversion conversion = AnsiFromWide(widePath, path);
    CoTaskMemFree(widePath);
    if (conversion == AnsiConversion::NotAnsi) {
        return PickOutcome::NotAnsi;
    }
    return folderStore.Assign(path) ? PickOutcome::Chosen : PickOutcome::TooLong;
}

PickOutcome Browse(const char* initialFolder) {
    if (!folderStore.Assign(initialFolder != nullptr ? initialFolder : "")) {
        folderStore.Clear();
        return PickOutcome::TooLong;
    }

    ComApartment apartment;
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || allocator == nullptr) {
        return PickOutcome::Unavailable;
    }

    BROWSEINFOA info = {};
    info.lpszTitle = kBrowserTitle;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(initialFolder);

    PickOutcome outcome = PickOutcome::Cancelled;
    if (PIDLIST_ABSOLUTE item = PlatformSeams().browseForFolder(&info)) {
        outcome = StoreFolderPath(item);
        allocator->Free(item);
    }
    allocator->Release();
    return outcome;
}

}  // namespace

const char* BrowseForFolder(const char* initialFolder, PickOutcome* outcome) {
    PickOutcome result = Browse(initialFolder);
    if (outcome != nullptr) {
        *outcome = result;
    }
    return folderStore.c_str();
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data != 0) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    }
    return 0;
}

}  // namespace orvanta
