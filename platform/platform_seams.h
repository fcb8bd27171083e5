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

// Runs the dialog modally.
using RunFileDialogCall = FileDialogAnswer (*)(CFileDialog& dialog);
// Shows the folder browser: SHBrowseForFolderA.
using BrowseForFolderCall = PIDLIST_ABSOLUTE (*)(BROWSEINFOA* info);
// Starts a process as CreateProcessA does with default security, the caller's environment and
// current directory; returns the new process's id, or 0 when nothing started.
using LaunchCall = DWORD (*)(const char* applicationName, char* commandLine, BOOL inheritHandles,
                             DWORD creationFlags, STARTUPINFOA* startup);
// Sets the text attribute of the program's standard output.
using SetTextAttributeCall = void (*)(WORD attribute);

struct PlatformSeamTable {
    RunFileDialogCall runFileDialog;
    BrowseForFolderCall browseForFolder;
    LaunchCall launch;
    SetTextAttributeCall setTextAttribute;
};

PlatformSeamTable& PlatformSeams();
void ResetPlatformSeams();

}  // namespace orvanta
