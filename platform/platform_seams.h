#pragma once
// The calls through which the platform services reach the user and the system. Tests replace
// members of PlatformSeams() to capture what would be shown or started, and call
// ResetPlatformSeams() to put the real calls back.

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "framework/file_dialog.h"

namespace orvanta {

// How a file dialog run ended.
struct FileDialogAnswer {
    bool confirmed = false;
    std::string path;  // ANSI code page; empty unless confirmed with a whole path
    CFileDialog::PathStatus status = CFileDialog::PathStatus::Whole;
};

struct PlatformSeamTable {
    // Runs the dialog modally.
    FileDialogAnswer (*runFileDialog)(CFileDialog& dialog);
    // Shows the folder browser: SHBrowseForFolderA.
    PIDLIST_ABSOLUTE (*browseForFolder)(BROWSEINFOA* info);
    // Starts a process as CreateProcessA does with default security, the caller's environment
    // and current directory; returns the new process's id, or 0 when nothing started.
    DWORD(*launch)
    (const char* applicationName, char* commandLine, BOOL inheritHandles, DWORD creationFlags,
     STARTUPINFOA* startup);
    // Sets the text attribute of the program's standard output.
    void (*setTextAttribute)(WORD attribute);
};

PlatformSeamTable& PlatformSeams();
void ResetPlatformSeams();

}  // namespace orvanta
