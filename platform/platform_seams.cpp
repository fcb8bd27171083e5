#include "platform/platform_seams.h"

namespace orvanta {
namespace {

FileDialogAnswer RunFileDialog(CFileDialog& dialog) {
    FileDialogAnswer answer;
    answer.confirmed = dialog.DoModal() == IDOK;
    answer.path = dialog.GetPathName();
    answer.status = dialog.GetPathStatus();
    return answer;
}

PIDLIST_ABSOLUTE ShowFolderBrowser(BROWSEINFOA* info) {
    return SHBrowseForFolderA(info);
}

DWORD Launch(const char* applicationName, char* commandLine, BOOL inheritHandles,
             DWORD creationFlags, STARTUPINFOA* startup) {
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(applicationName, commandLine, nullptr, nullptr, inheritHandles,
                        creationFlags, nullptr, nullptr, startup, &process)) {
        return 0;
    }
    DWORD id = GetProcessId(process.hProcess);
    // The process lives on by itself; nothing here waits for it.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return id;
}

void SetTextAttribute(WORD attribute) {
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), attribute);
}

constexpr PlatformSeamTable kRealCalls = {RunFileDialog, ShowFolderBrowser, Launch,
                                          SetTextAttribute};

PlatformSeamTable seams = kRealCalls;

}  // namespace

PlatformSeamTable& PlatformSeams() {
    return seams;
}

void ResetPlatformSeams() {
    seams = kRealCalls;
}

}  // namespace orvanta
